// The shared tables and rules the two editors build their frames and
// titles from: every accelerator names a key, every command has its
// prompt, and the document's names and paths follow one set of rules.
#include <gtest/gtest.h>

#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "shell/document_rules.h"
#include "shell/file_errors.h"
#include "shell/frame_tables.h"
#include "shell/key_chord.h"

namespace tarvex::shell {
namespace {

TEST(KeyChordTest, ReadsModifiersAndKeys) {
  const auto redo = ParseKeyChord("Ctrl+Shift+Z");
  ASSERT_TRUE(redo.has_value());
  EXPECT_TRUE(redo->ctrl && redo->shift && !redo->alt);
  EXPECT_EQ(redo->key, "Z");
  EXPECT_EQ(ParseKeyChord("Alt+Backspace")->key, "Backspace");
  EXPECT_EQ(ParseKeyChord("F12")->key, "F12");
  for (const char* bad : {"", "Ctrl+", "Meta+A", "F13", "F0", "Ctrl+Tab", "a"}) {
    EXPECT_FALSE(ParseKeyChord(bad).has_value()) << bad;
  }
}

TEST(FrameTablesTest, EveryKeyParsesAndEveryCommandHasAPrompt) {
  for (const auto* table : {&MainAccelerators(), &EmbeddedAccelerators(), &InPlaceAccelerators()}) {
    for (const Accelerator& key : *table) {
      EXPECT_TRUE(ParseKeyChord(key.keys).has_value()) << key.keys;
    }
  }
  for (const auto* menus : {&MainMenu(), &EmbeddedMenu(), &InPlaceMenu()}) {
    for (const Menu& menu : *menus) {
      for (const MenuItem& item : menu.items) {
        if (item.id == 0 || item.id == ID_FILE_UPDATE || item.id == ID_FILE_SAVE_COPY_AS) continue;
        EXPECT_FALSE(PromptOf(LoadStringText(item.id)).empty()) << item.caption;
      }
    }
  }
  EXPECT_EQ(ToolbarBoxWidth(ID_KEYWORD), 240);
  EXPECT_EQ(ToolbarBoxWidth(ID_KEYWORD_MAX), 80);
  EXPECT_EQ(ToolbarBoxWidth(ID_FILE_NEW), 0);
  const MenuGroups groups = InPlaceMenuGroups();
  EXPECT_EQ(groups.edit + groups.object + groups.help, static_cast<int>(InPlaceMenu().size()));
}

TEST(DocumentRulesTest, NamesAndPaths) {
  EXPECT_EQ(DocumentStringField(0), "Tarvex");
  EXPECT_EQ(DocumentStringField(3), "Tarvex Files (*.inf)");
  EXPECT_EQ(DocumentStringField(6), "Tarvex Document");
  EXPECT_EQ(DocumentStringField(7), "");
  EXPECT_EQ(DocumentTitle(""), "Untitled");
  EXPECT_EQ(FrameTitle(DocumentTitle("gw.inf")), "gw.inf - Tarvex");
  EXPECT_EQ(EmbeddedTitle("Object 1"), "Tarvex in Object 1");
  struct Case {
    const char* path;
    const char* title;
    const char* proposed;
  } cases[] = {
      {"", "Untitled", "Untitled.inf"},
      {"", "Branch office#2", "Branch.inf"},
      {"", "a%b", "a.inf"},
      {"", "x\\y", "x.inf"},
      {"C:\\p\\gw.inf", "gw.inf", "C:\\p\\gw.inf"},
  };
  for (const Case& c : cases) EXPECT_EQ(ProposedSaveName(c.path, c.title), c.proposed) << c.title;
  EXPECT_EQ(UnquotePath("\"C:\\My Files\\a.inf\""), "C:\\My Files\\a.inf");
  EXPECT_EQ(UnquotePath("\"a.inf\" trailing"), "a.inf");
  EXPECT_EQ(UnquotePath("\"no closing"), "no closing");
  EXPECT_EQ(UnquotePath("plain\".inf"), "plain\".inf");
}

TEST(FileErrorsTest, TheCauseChoosesTheMessage) {
  PathFacts missingFolder;
  PathFacts missingFile;
  missingFile.folderExists = missingFile.folderWritable = true;
  PathFacts locked = missingFile;
  locked.exists = true;
  PathFacts folder = locked;
  folder.isFolder = folder.readable = folder.writable = true;
  PathFacts readOnlyFolder = missingFile;
  readOnlyFolder.folderWritable = false;
  struct Case {
    const char* name;
    PathFacts facts;
    int read, write;
  } cases[] = {
      {"missing folder", missingFolder, IDP_FILE_BAD_PATH, IDP_FILE_BAD_PATH},
      {"missing file", missingFile, IDP_FILE_NOT_FOUND, IDP_INVALID_FILENAME},
      {"no permission", locked, IDP_FILE_ACCESS_DENIED, IDP_FILE_ACCESS_DENIED},
      {"a folder", folder, IDP_FILE_ACCESS_DENIED, IDP_FILE_ACCESS_DENIED},
      {"read-only folder", readOnlyFolder, IDP_FILE_NOT_FOUND, IDP_FILE_ACCESS_DENIED},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadOpenFailure("p", c.facts).id, c.read) << c.name;
    EXPECT_EQ(WriteOpenFailure("p", c.facts).id, c.write) << c.name;
  }
  EXPECT_EQ(ReadOpenFailure("/x/gw.inf", missingFile).text, "/x/gw.inf was not found.");
  EXPECT_EQ(WriteFailure("p", true).id, IDP_FILE_DISK_FULL);
  EXPECT_EQ(WriteFailure("p", false).id, IDP_FAILED_TO_SAVE_DOC);
}

}  // namespace
}  // namespace tarvex::shell
