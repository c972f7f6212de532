// The recent-file list: at most four paths, most recent first, kept in the
// settings under "Recent File List" as File1 to File4.
#ifndef TARVEX_QT_RECENT_FILE_LIST_H_
#define TARVEX_QT_RECENT_FILE_LIST_H_

#include <QString>
#include <QStringList>

class QSettings;

namespace tarvex::qt {

class RecentFileList {
 public:
  static constexpr int kSize = 4;
  static constexpr int kDisplayLength = 30;

  // Puts `path` at the top; an entry already listed moves there, and the
  // oldest entry drops off when the list is full.
  void Add(const QString& path);
  void Remove(int index);
  const QStringList& paths() const { return paths_; }

  void Load(QSettings& settings);
  void Save(QSettings& settings) const;

  // `path` as a menu shows it: whole when it has at most `maxLength`
  // characters, otherwise with middle folders replaced by "..." (the first
  // folder and the file name kept), or the file name alone.
  static QString DisplayName(const QString& path, int maxLength = kDisplayLength);

 private:
  QStringList paths_;
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_RECENT_FILE_LIST_H_
