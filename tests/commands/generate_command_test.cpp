#include <gtest/gtest.h>

#include <filesystem>

#include "commands/main_frame_logic.h"
#include "platform/fake_window_system.h"
#include "platform/resource_ids.h"
#include "support/cipher_bytes.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {
using testing::DecipherFile;
using testing::EncipherAll;
using testing::ReadFile;
using testing::TempDir;
using V = std::vector<std::string>;

const char kUnable[] = "\nUnable to generate the 'Policy.bin' file.";
const std::string kNoKeywords =
    "There are no keywords to generate.\nUnable to generate the 'Policy.bin' file.";
const SystemTime kTime{2026, 12, 3, 9, 14, 0, 1};
const std::string kStamp = "TimeStamp = 202612309140001\r\n";

class GenerateTest : public ::testing::Test {
 protected:
  GenerateTest() : dir(/*enter=*/true), frame(ws) {
    table.Append({"Timeout", "int", "1", "60"});
    table.Append({"PeerLinkKey", "string", "", ""});
    frame.SetKeywordTable(&table);
    frame.SetClock([] { return kTime; });
  }
  // A saved document at `name` holding `text`, shown in the view.
  std::string Document(const std::string& name, const std::string& text) {
    ws.documentPath = dir.Write(name, text);
    ws.viewText = text;
    ws.modified = false;
    return ws.documentPath;
  }
  TempDir dir;
  KeywordTable table;
  FakeWindowSystem ws;
  MainFrameLogic frame;
};

TEST_F(GenerateTest, CompilesASourceIntoPolicyBinBesideIt) {
  dir.Write("peer.key", "\x01\x02");
  Document("Branch.INF", "Timeout = 30\r\nPeerLinkKey = peer.key\r\n");
  frame.m_fromDrop = true;
  EXPECT_TRUE(frame.OnGenerate());
  EXPECT_FALSE(frame.m_fromDrop);
  EXPECT_EQ(frame.m_sourcePath, dir.Path("Branch.INF"));
  EXPECT_EQ(frame.m_binaryPath, dir.Path("policy.bin"));
  EXPECT_EQ(ws.texts(), V{dir.Path("policy.bin") + " file is generated successfully."});
  EXPECT_EQ(DecipherFile(dir.Path("policy.bin")), "Timeout = 30\r\nPeerLinkKey =0102\r\n" + kStamp);
}

TEST_F(GenerateTest, SavesAModifiedDocumentFirst) {
  Document("a.inf", "Timeout = 99\r\n");
  ws.modified = true;
  ws.onFrameCommand = [&](int id) {
    ASSERT_EQ(id, ID_FILE_SAVE);
    dir.Write("a.inf", "Timeout = 9\r\n");
    ws.modified = false;
  };
  EXPECT_TRUE(frame.OnGenerate());
  EXPECT_EQ(ws.frameCommands, std::vector<int>{ID_FILE_SAVE});
  EXPECT_EQ(DecipherFile(dir.Path("policy.bin")), "Timeout = 9\r\n" + kStamp);
}

TEST_F(GenerateTest, StopsWhenTheDocumentCannotBeUsed) {
  struct Case {
    const char* name;
    bool modifiedAfterSave;
    std::string path;
    std::string message;
  } cases[] = {
      {"save cancelled", true, "", kUnable},
      {"never saved", false, "", kNoKeywords},
      {"wrong extension", false, "notes.txt", "Incorrect file extension."},
      {"no extension", false, "policy", "Incorrect file extension."},
      {"last extension counts", false, "report.inf.txt", "Incorrect file extension."},
  };
  for (const Case& c : cases) {
    FakeWindowSystem w;
    MainFrameLogic f(w);
    w.modified = c.modifiedAfterSave;
    w.documentPath = c.path.empty() ? "" : dir.Write(c.path, "Timeout = 1\r\n");
    EXPECT_FALSE(f.OnGenerate()) << c.name;
    EXPECT_EQ(w.texts(), V{c.message}) << c.name;
    EXPECT_FALSE(testing::FileExists(dir.Path("policy.bin"))) << c.name;
  }
}

TEST_F(GenerateTest, AFaultySourceLeavesTheEarlierBinaryAlone) {
  dir.Write("policy.bin", "earlier");
  Document("a.inf", "Timeout = 1\r\nTimeout = 61\r\n");
  EXPECT_FALSE(frame.OnGenerate());
  EXPECT_EQ(ws.events, (V{"select: 23-25",
                          "box: \"61\" is not within a valid range.  \nThis "
                          "keyword can only be assigned with a valid numeric "
                          "number." +
                              std::string(kUnable)}));
  EXPECT_EQ(ReadFile(dir.Path("policy.bin")), "earlier");
}

TEST_F(GenerateTest, LargeSourcesEndAsSmallOnes) {
  // A large source is checked and enciphered side by side; what the user
  // sees, and what is left on disk, must not tell.
  const std::string filler = [] {
    std::string text;
    while (text.size() < 600 * 1024) text += "Timeout = 30\r\n";
    return text;
  }();
  const std::string readError = "Error reading file  missing.key\r\n !";
  struct Case {
    const char* name;
    std::string head, tail;
    bool binaryIsFolder;
    V events;  // empty: compiled
  } cases[] = {
      {"sound", "", "PeerLinkKey = peer.key\r\n", false, {}},
      {"fault at the end",
       "",
       "Timeout = 61\r\n",
       false,
       {"select: " + std::to_string(filler.size() + 10) + "-" + std::to_string(filler.size() + 12),
        "box: \"61\" is not within a valid range.  \nThis keyword can only be assigned with a "
        "valid numeric number." +
            std::string(kUnable)}},
      {"fault at the start",
       "Nothing = 1\r\n",
       "",
       false,
       {"select: 0-7",
        "box: \"Nothing\" on line number 1 is not a valid keyword." + std::string(kUnable)}},
      {"key file unread", "", "PeerLinkKey = missing.key\r\n", false, {"box: " + readError}},
      {"fault and key file unread",
       "PeerLinkKey = missing.key\r\n",
       "Timeout = 0\r\n",
       false,
       {"select: " + std::to_string(filler.size() + 37) + "-" + std::to_string(filler.size() + 38),
        "box: \"0\" is not within a valid range.  \nThis keyword can only be assigned with a "
        "valid numeric number." +
            std::string(kUnable)}},
      {"cannot write", "", "", true, {"box: Error writing file " + dir.Path("policy.bin") + " !"}},
  };
  dir.Write("peer.key", "\x01\x02");
  for (const Case& c : cases) {
    std::filesystem::remove_all(dir.Path("policy.bin"));
    if (c.binaryIsFolder) {
      std::filesystem::create_directory(dir.Path("policy.bin"));
    } else {
      dir.Write("policy.bin", "earlier");
    }
    ws.events.clear();
    Document("a.inf", c.head + filler + c.tail);
    EXPECT_EQ(frame.OnGenerate(), c.events.empty()) << c.name;
    if (c.events.empty()) {
      EXPECT_EQ(ws.texts(), V{dir.Path("policy.bin") + " file is generated successfully."});
      EXPECT_EQ(DecipherFile(dir.Path("policy.bin")), filler + "PeerLinkKey =0102\r\n" + kStamp);
    } else {
      EXPECT_EQ(ws.events, c.events) << c.name;
      if (!c.binaryIsFolder) {
        EXPECT_EQ(ReadFile(dir.Path("policy.bin")), "earlier") << c.name;
      }
    }
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path(""))) {
      (void)entry;
      ++files;
    }
    EXPECT_EQ(files, 3u) << c.name << ": a temporary file was left";
  }
}

TEST_F(GenerateTest, ABinaryDocumentBecomesTheSourceOfItsBaseName) {
  Document("Office.bin", EncipherAll("Timeout = 5\r\n" + kStamp));
  dir.Write("Office.inf", "to be replaced");
  EXPECT_TRUE(frame.OnGenerate());
  EXPECT_EQ(frame.m_sourcePath, dir.Path("Office.inf"));
  EXPECT_EQ(ReadFile(dir.Path("Office.inf")), "Timeout = 5\r\n");
  EXPECT_EQ(ws.events, (V{"open: " + dir.Path("Office.inf"),
                          "box: " + dir.Path("Office.inf") + " file is generated successfully."}));
}

TEST_F(GenerateTest, ABinaryThatIsNotAPolicyWritesNothing) {
  Document("notes.bin", "just text\r\n");
  EXPECT_FALSE(frame.OnGenerate());
  EXPECT_EQ(ws.texts(), V{"This is not a valid Tarvex file."});
  EXPECT_EQ(dir.Entries(), V{"notes.bin"});
}

}  // namespace
}  // namespace tarvex
