#include <gtest/gtest.h>

#include "commands/main_frame_logic.h"
#include "commands/open_commands.h"
#include "platform/fake_window_system.h"
#include "platform/resource_ids.h"
#include "support/cipher_bytes.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {
using testing::EncipherAll;
using testing::ReadFile;
using testing::TempDir;
using V = std::vector<std::string>;

const std::string kWrongExtension =
    "Incorrect file extension.\nUnable to generate the 'Policy.bin' file.";
const std::string kPolicy = EncipherAll("A = 1\r\nTimeStamp = 202612309140001\r\n");

class OpenTest : public ::testing::Test {
 protected:
  OpenTest() : frame(ws) {}
  TempDir dir;
  FakeWindowSystem ws;
  MainFrameLogic frame;
};

TEST_F(OpenTest, OpenIsForwardedToTheFrame) {
  ForwardOpenCommand(ws);
  EXPECT_EQ(ws.activeWindowCommands, std::vector<int>{ID_OPEN_POLICY});
}

TEST_F(OpenTest, PromptOffersSourcesThenAllFiles) {
  frame.OnOpenPolicy();  // cancelled
  EXPECT_EQ(ws.promptTitles, V{"Open"});
  ASSERT_EQ(ws.promptFilters.size(), 1u);
  ASSERT_EQ(ws.promptFilters[0].size(), 2u);
  EXPECT_EQ(ws.promptFilters[0][0].name, "Tarvex Files (*.inf)");
  EXPECT_EQ(ws.promptFilters[0][0].pattern, "*.inf");
  EXPECT_EQ(ws.promptFilters[0][1].name, "All Files (*.*)");
  EXPECT_TRUE(ws.events.empty());

  ws.promptAnswer = dir.Write("a.inf", "A = 1\r\n");
  frame.OnOpenPolicy();
  EXPECT_EQ(ws.events, V{"open: " + dir.Path("a.inf")});
  EXPECT_EQ(frame.m_sourcePath, dir.Path("a.inf"));
  EXPECT_FALSE(frame.m_binaryMode);
}

TEST_F(OpenTest, OpeningABinaryConvertsItIntoUntitledBesideIt) {
  ws.promptAnswer = dir.Write("site.bin", kPolicy);
  dir.Write("Untitled.inf", "replaced");
  frame.OnOpenPolicy();
  const std::string untitled = dir.Path("Untitled.inf");
  EXPECT_EQ(ReadFile(untitled), "A = 1\r\n");
  // m_fromDrop is clear until a drop: the converter opens and reports, and
  // the open command opens the same document again.
  EXPECT_EQ(ws.events,
            (V{"open: " + untitled, "box: " + untitled + " file is generated successfully.",
               "open: " + untitled}));
  EXPECT_TRUE(frame.m_binaryMode);
}

TEST_F(OpenTest, RefusalsLeaveEverythingAsItWas) {
  struct Case {
    const char* name;
    std::string file, bytes, message;
  } cases[] = {
      {"wrong extension", "notes.txt", "A = 1\r\n", kWrongExtension},
      {"no extension", "README", "A = 1\r\n", kWrongExtension},
      {"plain text as .bin", "text.bin", "A = 1\r\nTimeStamp = 1\r\n",
       "This is not a valid Tarvex file."},
      {"empty .bin", "empty.bin", "", "This is not a valid Tarvex file."},
  };
  for (const Case& c : cases) {
    FakeWindowSystem w;
    MainFrameLogic f(w);
    f.m_binaryMode = true;
    EXPECT_FALSE(f.OpenPolicyFile(dir.Write(c.file, c.bytes))) << c.name;
    EXPECT_EQ(w.texts(), V{c.message}) << c.name;
    EXPECT_TRUE(w.openedDocuments.empty()) << c.name;
    EXPECT_EQ(f.m_binaryMode, c.file.ends_with(".bin")) << c.name;
    EXPECT_FALSE(testing::FileExists(dir.Path("Untitled.inf"))) << c.name;
  }
}

TEST_F(OpenTest, DroppingASourceHandsTheWholeDropOn) {
  const V paths = {dir.Write("a.inf", "A = 1\r\n"), dir.Write("b.bin", kPolicy)};
  frame.OnFilesDropped(paths);
  EXPECT_TRUE(frame.m_fromDrop);
  EXPECT_EQ(ws.events, (V{"open: " + paths[0], "drop handling: 2"}));
  EXPECT_EQ(ws.standardDrops, std::vector<V>{paths});
}

TEST_F(OpenTest, DroppingABinaryConvertsSilentlyAndIgnoresTheRest) {
  const V paths = {dir.Write("b.bin", kPolicy), dir.Write("a.inf", "A = 1\r\n")};
  frame.OnFilesDropped(paths);
  EXPECT_EQ(ReadFile(dir.Path("Untitled.inf")), "A = 1\r\n");
  EXPECT_EQ(ws.events, V{"open: " + dir.Path("Untitled.inf")});
}

TEST_F(OpenTest, DroppingARefusedFileHandlesOnlyThatFile) {
  frame.OnFilesDropped({dir.Write("x.doc", ""), dir.Write("a.inf", "")});
  EXPECT_EQ(ws.events, V{"box: " + kWrongExtension});
  ws.events.clear();
  frame.OnFilesDropped({});
  frame.OnFilesDropped({std::string(1024, 'p') + ".inf"});  // too long to be had whole
  EXPECT_TRUE(ws.events.empty());
}

TEST_F(OpenTest, ADroppedBinaryWhoseConversionFailsOpensNothing) {
  const std::string bin = dir.Write("b.bin", kPolicy);
  std::filesystem::create_directory(dir.Path("Untitled.inf"));  // cannot be replaced
  frame.OnFilesDropped({bin});
  EXPECT_EQ(ws.events, V{"box: Error writing file " + dir.Path("Untitled.inf") + " !"});
}

}  // namespace
}  // namespace tarvex
