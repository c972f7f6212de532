// The recent-file list: at most four paths, most recent first, kept in the
// settings under "Recent File List" as File1 to File4, and how a menu
// shows an entry.
#ifndef TARVEX_SHELL_RECENT_FILE_LIST_H_
#define TARVEX_SHELL_RECENT_FILE_LIST_H_

#include <string>
#include <vector>

#include "shell/settings_store.h"

namespace tarvex::shell {

class RecentFileList {
 public:
  static constexpr int kSize = 4;
  static constexpr int kDisplayLength = 30;

  // `foldCase`: paths that differ only in ASCII letter case name one file
  // (Windows).
  explicit RecentFileList(bool foldCase = false) : foldCase_(foldCase) {}

  // Puts `path` at the top; an entry already listed moves there, and the
  // oldest entry drops off when the list is full.
  void Add(const std::string& path);
  void Remove(int index);
  // The index of `path` in the list, or -1.
  int IndexOf(const std::string& path) const;
  const std::vector<std::string>& paths() const { return paths_; }

  // Empty or repeated entries in the store are skipped.
  void Load(SettingsStore& store);
  void Save(SettingsStore& store) const;

  // `path` as a menu shows it: whole when it has at most `maxLength`
  // characters, otherwise with middle folders replaced by "..." (the root,
  // the first folder and the file name kept), or the file name alone, cut
  // with "..." when even that is too long. Paths separate folders with "/"
  // or "\"; `utf8`: the path's bytes are UTF-8 and characters are counted
  // and cut as such, else every byte is a character.
  static std::string DisplayName(const std::string& path, int maxLength = kDisplayLength,
                                 bool utf8 = true);

  // The menu text of entry `index` (from 0): "&1 " and the display name
  // with "&" doubled.
  static std::string MenuText(int index, const std::string& path, bool utf8 = true);

 private:
  bool Same(const std::string& a, const std::string& b) const;

  bool foldCase_;
  std::vector<std::string> paths_;
};

}  // namespace tarvex::shell

#endif  // TARVEX_SHELL_RECENT_FILE_LIST_H_
