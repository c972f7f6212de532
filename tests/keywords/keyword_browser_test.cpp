#include <gtest/gtest.h>

#include "commands/main_frame_logic.h"
#include "keywords/keyword_table.h"
#include "platform/fake_window_system.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {

class KeywordBrowserTest : public ::testing::Test {
 protected:
  KeywordBrowserTest() : frame(ws) {
    table.Append({"Timeout", "Int", "1", "60"});
    table.Append({"Logging", "BOOL", "7", "8"});
    table.Append({"Banner", "string", "", ""});
    table.Append({"Lower", "int", "", "9"});
    table.Append({"", "", "", ""});
    table.Append({"timeout", "string", "x", "y"});
    frame.SetKeywordTable(&table);
  }
  void Choose(const std::string& name) {
    ws.keywordBoxText = name;
    frame.OnKeywordSelChange();
  }
  std::vector<std::string> Boxes() {
    return {ws.valueBoxes[ValueBox::kType], ws.valueBoxes[ValueBox::kMinimum],
            ws.valueBoxes[ValueBox::kMaximum]};
  }

  FakeWindowSystem ws;
  KeywordTable table;
  MainFrameLogic frame;
};

using V = std::vector<std::string>;

TEST_F(KeywordBrowserTest, ShowsTypeAndBoundsByType) {
  Choose("Timeout");
  EXPECT_EQ(Boxes(), (V{"Int", "MIN = 1", "MAX = 60"}));
  Choose("Logging");
  EXPECT_EQ(Boxes(), (V{"BOOL", "TRUE", "FALSE"}));
  Choose("Banner");
  EXPECT_EQ(Boxes(), (V{"string", "", ""}));
  Choose("Lower");
  EXPECT_EQ(Boxes(), (V{"int", "MIN = ", "MAX = 9"}));
  // A duplicate in another case shows the first row's fields.
  Choose("timeout");
  EXPECT_EQ(Boxes(), (V{"Int", "MIN = 1", "MAX = 60"}));
  EXPECT_EQ(ws.clipboard, (V{"Timeout", "Logging", "Banner", "Lower", "timeout"}));
}

TEST_F(KeywordBrowserTest, EmptyOrUnknownNameEmptiesBoxesAndLeavesClipboard) {
  Choose("Timeout");
  Choose("");
  EXPECT_EQ(Boxes(), (V{"", "", ""}));
  Choose("NotThere");
  EXPECT_EQ(Boxes(), (V{"", "", ""}));
  EXPECT_EQ(ws.clipboard, (V{"Timeout", "NotThere"}));
}

TEST_F(KeywordBrowserTest, ClipboardTakesAtMost1023Characters) {
  Choose(std::string(1500, 'k'));
  ASSERT_EQ(ws.clipboard.size(), 1u);
  EXPECT_EQ(ws.clipboard[0], std::string(1023, 'k'));
}

TEST(KeywordBrowser, FillListsEveryRowOrFailsWithoutKeywordTxt) {
  testing::TempDir dir(/*enter=*/true);
  FakeWindowSystem ws;
  MainFrameLogic frame(ws);
  EXPECT_FALSE(frame.FillKeywordBox());
  EXPECT_EQ(ws.texts(), V{"Error reading file keyword.txt !"});
  EXPECT_TRUE(ws.keywordBoxEntries.empty());

  GlobalKeywordTable().Clear();
  dir.Write("keyword.txt", "B,int\n\nA,bool\nb,string\n");
  FakeWindowSystem ws2;
  MainFrameLogic frame2(ws2);
  EXPECT_TRUE(frame2.FillKeywordBox());
  EXPECT_EQ(ws2.keywordBoxEntries, (V{"B", "", "A", "b"}));  // table order; the box sorts
  EXPECT_TRUE(ws2.boxes.empty());
}

}  // namespace
}  // namespace tarvex
