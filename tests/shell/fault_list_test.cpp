// The faults of the text being typed: underlines, F8 and Shift+F8 order,
// the message under the mouse and the status bar's count.
#include "shell/fault_list.h"

#include <gtest/gtest.h>

namespace tarvex::shell {
namespace {

class FaultListTest : public ::testing::Test {
 protected:
  FaultListTest() {
    table_.Append({"Timeout", "int", "1", "60"});
    table_.Append({"Verbose", "bool", "", ""});
  }
  KeywordTable table_;
};

TEST_F(FaultListTest, VisitsFaultsInOrderAndGoesRound) {
  // Faults at the value "99" (offset 10), the keyword "Bogus" (14) and "maybe" (34).
  const std::string text = "Timeout = 99\r\nBogus = 1\r\nVerbose = maybe";
  FaultList list;
  list.Check(text, table_);
  ASSERT_EQ(list.faults().size(), 3u);
  EXPECT_EQ(list.CountText(), "3 faults");
  struct Step {
    std::size_t caret;
    int next, previous;
  } steps[] = {{0, 0, 2}, {10, 1, 2}, {14, 2, 0}, {39, 0, 2}};
  for (const Step& s : steps) {
    EXPECT_EQ(list.NextAfter(s.caret), s.next) << s.caret;
    EXPECT_EQ(list.PreviousBefore(s.caret), s.previous) << s.caret;
  }
  EXPECT_EQ(list.MessageAt(11).substr(0, 20), "\"99\" is not within a");
  EXPECT_EQ(list.MessageAt(12), "");  // just past the underline
}

TEST_F(FaultListTest, CountsAndUnderlinesEdgeCases) {
  FaultList list;
  list.Check("Timeout = 5", table_);
  EXPECT_EQ(list.CountText(), "No faults");
  EXPECT_EQ(list.NextAfter(0), -1);
  list.Check("   \r\n", table_);  // blank: one fault that selects nothing
  ASSERT_EQ(list.faults().size(), 1u);
  EXPECT_EQ(list.CountText(), "1 fault");
  EXPECT_EQ(list.Underline(list.faults()[0]), (TextRange{0, 0}));
  EXPECT_EQ(list.MessageAt(0), "");
  list.Check("Timeout =", table_);  // an empty selection underlines one character
  ASSERT_EQ(list.faults().size(), 1u);
  const TextRange underline = list.Underline(list.faults()[0]);
  EXPECT_LE(underline.end, 9u);
  list.Clear();
  EXPECT_TRUE(list.faults().empty());
}

TEST_F(FaultListTest, VisitTextNamesTheFaultAndTheFirstLineOfItsMessage) {
  FaultList list;
  list.Check("Timeout = 99\r\nBogus = 1", table_);
  ASSERT_EQ(list.faults().size(), 2u);
  EXPECT_EQ(list.VisitText(0), "Fault 1 of 2: \"99\" is not within a valid range.  ");
  EXPECT_EQ(list.VisitText(1), "Fault 2 of 2: \"Bogus\" on line number 2 is not a valid keyword.");
  EXPECT_EQ(list.VisitText(2), "");
  EXPECT_EQ(list.VisitText(-1), "");
}

}  // namespace
}  // namespace tarvex::shell
