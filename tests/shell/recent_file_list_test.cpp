// The recent-file list: four entries, most recent first, kept in the
// settings, and shortened for the menu on either kind of path.
#include "shell/recent_file_list.h"

#include <gtest/gtest.h>

#include <map>

namespace tarvex::shell {
namespace {

// A settings store held in memory.
class MemoryStore : public SettingsStore {
 public:
  std::optional<std::string> ReadString(std::string_view section, std::string_view entry) override {
    const auto it = values.find(Key(section, entry));
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  std::optional<int> ReadInt(std::string_view, std::string_view) override { return std::nullopt; }
  void WriteString(std::string_view section, std::string_view entry,
                   std::string_view value) override {
    values[Key(section, entry)] = std::string(value);
  }
  void WriteInt(std::string_view, std::string_view, int) override {}
  void Remove(std::string_view section, std::string_view entry) override {
    values.erase(Key(section, entry));
  }
  static std::string Key(std::string_view section, std::string_view entry) {
    return std::string(section) + "/" + std::string(entry);
  }
  std::map<std::string, std::string> values;
};

TEST(RecentFileListNames, ShortenedToThirtyCharacters) {
  struct Case {
    const char* path;
    const char* shown;
    bool utf8;
  };
  for (const Case& c : {
           Case{"/etc/policy.inf", "/etc/policy.inf", true},
           Case{"/home/admin/policies/branch/gw.inf", "/home/.../branch/gw.inf", true},
           Case{"/home/admin/policies/branch-office/gateway.inf", "/home/.../gateway.inf", true},
           Case{"/srv/a-very-long-folder-name-here/x.inf", "/srv/.../x.inf", true},
           Case{"/a-folder-name-much-too-long-to-keep/gateway.inf", "gateway.inf", true},
           Case{"/p/a-file-name-that-is-longer-than-thirty.inf", "a-file-name-that-is-longer-...",
                true},
           Case{"C:\\Users\\admin\\policies\\branch\\gw.inf", "C:\\Users\\...\\branch\\gw.inf",
                false},
           Case{"relative/folders/that/are/too/long/p.inf", "p.inf", true},
           // Characters, not bytes: 26 accented letters are 52 bytes of UTF-8
           // but fit; a cut never splits one.
           Case{"/\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
                "\xC3\xA9\xC3\xA9\xC3\xA9.inf",
                "/\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
                "\xC3\xA9\xC3\xA9\xC3\xA9.inf",
                true},
           Case{
               "/p/\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
               "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
               "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9.inf",
               "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
               "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
               "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9...",
               true},
       }) {
    EXPECT_EQ(RecentFileList::DisplayName(c.path, 30, c.utf8), c.shown) << c.path;
  }
  EXPECT_EQ(RecentFileList::MenuText(1, "/R&D/p.inf"), "&2 /R&&D/p.inf");
}

TEST(RecentFileListOrder, FourEntriesMostRecentFirstAndKept) {
  RecentFileList list;
  for (const char* p : {"/1.inf", "/2.inf", "/3.inf", "/4.inf", "/5.inf", "/3.inf"}) list.Add(p);
  const std::vector<std::string> expected = {"/3.inf", "/5.inf", "/4.inf", "/2.inf"};
  EXPECT_EQ(list.paths(), expected);

  MemoryStore store;
  store.values["Recent File List/File4"] = "stale";
  list.Save(store);
  list.Remove(0);
  list.Save(store);
  EXPECT_EQ(store.values.count("Recent File List/File4"), 0u);
  EXPECT_EQ(store.values["Recent File List/File1"], "/5.inf");

  store.values["Recent File List/File3"] = "/5.inf";  // repeated
  store.values["Recent File List/File2"] = "";        // empty
  RecentFileList loaded;
  loaded.Load(store);
  EXPECT_EQ(loaded.paths(), std::vector<std::string>{"/5.inf"});
}

TEST(RecentFileListOrder, WindowsPathsDifferingInCaseAreOneFile) {
  RecentFileList windows(true);
  windows.Add("C:\\Policies\\A.inf");
  windows.Add("c:\\policies\\a.INF");
  EXPECT_EQ(windows.paths(), std::vector<std::string>{"c:\\policies\\a.INF"});
  RecentFileList linux;
  linux.Add("/p/A.inf");
  linux.Add("/p/a.inf");
  EXPECT_EQ(linux.paths().size(), 2u);
}

}  // namespace
}  // namespace tarvex::shell
