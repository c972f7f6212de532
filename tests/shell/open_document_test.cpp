// The open-document operation's steps and the profile settings, over a
// host that records what it was asked.
#include "shell/open_document.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace tarvex::shell {
namespace {

class FakeHost : public DocumentHost {
 public:
  std::string ResolvePath(const std::string& path) override { return "/abs/" + path; }
  bool IsOpenDocument(const std::string& path) override { return path == open; }
  bool HasFrame() override { return frame; }
  bool CreateFrame() override {
    steps.push_back("create");
    frame = canCreate;
    return frame;
  }
  void DestroyFrame() override {
    steps.push_back("destroy");
    frame = false;
  }
  bool SaveModified() override {
    steps.push_back("ask");
    return saveAnswer;
  }
  ReadResult ReadDocument(const std::string& path) override {
    steps.push_back("read " + path);
    if (read == ReadResult::kRead) open = path;
    return read;
  }
  void AddToRecentFiles(const std::string& path) override { steps.push_back("recent " + path); }
  void ActivateFrame() override { steps.push_back("activate"); }

  bool frame = false;
  bool canCreate = true;
  bool saveAnswer = true;
  ReadResult read = ReadResult::kRead;
  std::string open;
  std::vector<std::string> steps;
};

using Steps = std::vector<std::string>;

TEST(OpenDocumentTest, TheFirstDocumentCreatesTheFrameAndAFailedReadTakesItAway) {
  FakeHost host;
  EXPECT_TRUE(OpenDocumentSteps(host, "\"a.inf\"", true));
  EXPECT_EQ(host.steps,
            (Steps{"create", "ask", "read /abs/a.inf", "recent /abs/a.inf", "activate"}));

  FakeHost failing;
  failing.read = DocumentHost::ReadResult::kRefused;
  EXPECT_FALSE(OpenDocumentSteps(failing, "a.inf", false));
  EXPECT_EQ(failing.steps, (Steps{"create", "ask", "read /abs/a.inf", "destroy"}));
}

TEST(OpenDocumentTest, TheOpenDocumentIsNotReadAgainAndCancelKeepsTheDocument) {
  FakeHost host;
  host.frame = true;
  host.open = "/abs/a.inf";
  EXPECT_TRUE(OpenDocumentSteps(host, "a.inf", true));
  EXPECT_EQ(host.steps, (Steps{"activate"}));

  host.steps.clear();
  host.saveAnswer = false;
  EXPECT_FALSE(OpenDocumentSteps(host, "b.inf", true));
  EXPECT_EQ(host.steps, (Steps{"ask"}));
  host.read = DocumentHost::ReadResult::kNotOpened;
  host.saveAnswer = true;
  EXPECT_FALSE(OpenDocumentSteps(host, "b.inf", true));
  EXPECT_TRUE(host.frame);  // a frame that was there stays
}

TEST(OpenDocumentTest, ARecentFileThatCannotBeOpenedLeavesTheList) {
  FakeHost host;
  host.frame = true;
  RecentFileList recent;
  recent.Add("/abs/old.inf");
  recent.Add("/abs/new.inf");
  EXPECT_FALSE(OpenRecentFile(host, recent, 1));
  host.read = DocumentHost::ReadResult::kNotOpened;
  EXPECT_TRUE(OpenRecentFile(host, recent, 0));
  EXPECT_EQ(recent.paths(), (std::vector<std::string>{"/abs/old.inf"}));
  EXPECT_FALSE(OpenRecentFile(host, recent, 5));
}

class MemoryStore : public SettingsStore {
 public:
  std::optional<std::string> ReadString(std::string_view s, std::string_view e) override {
    auto it = strings.find(Key(s, e));
    return it == strings.end() ? std::nullopt : std::optional<std::string>(it->second);
  }
  std::optional<int> ReadInt(std::string_view s, std::string_view e) override {
    auto it = ints.find(Key(s, e));
    return it == ints.end() ? std::nullopt : std::optional<int>(it->second);
  }
  void WriteString(std::string_view s, std::string_view e, std::string_view v) override {
    strings[Key(s, e)] = std::string(v);
  }
  void WriteInt(std::string_view s, std::string_view e, int v) override { ints[Key(s, e)] = v; }
  void Remove(std::string_view s, std::string_view e) override { strings.erase(Key(s, e)); }
  static std::string Key(std::string_view s, std::string_view e) {
    return std::string(s) + "/" + std::string(e);
  }
  std::map<std::string, std::string> strings;
  std::map<std::string, int> ints;
};

TEST(OpenDocumentTest, ProfileSettingsKeepThePreviewPagesOnlyOnceSet) {
  MemoryStore store;
  RecentFileList recent;
  recent.Add("C:\\p\\a.inf");
  SaveProfileSettings(store, recent, 0);
  EXPECT_EQ(store.ints.count("Settings/PreviewPages"), 0u);
  EXPECT_EQ(store.strings["Recent File List/File1"], "C:\\p\\a.inf");
  SaveProfileSettings(store, recent, 2);
  RecentFileList loaded;
  int pages = 0;
  LoadProfileSettings(store, loaded, pages);
  EXPECT_EQ(pages, 2);
  EXPECT_EQ(loaded.paths(), recent.paths());
}

}  // namespace
}  // namespace tarvex::shell
