#include <gtest/gtest.h>

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
