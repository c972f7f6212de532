// What Find Next, Replace and Replace All do to a view, and what Find
// proposes to look for; over a view that is a string and a selection.
#include "shell/find_commands.h"

#include <gtest/gtest.h>

namespace tarvex::shell {
namespace {

class StringView : public SearchView {
 public:
  explicit StringView(std::string text) : text(std::move(text)) {}
  std::string Text() override { return text; }
  TextRange Selection() override { return {std::min(anchor, caret), std::max(anchor, caret)}; }
  std::size_t Anchor() override { return anchor; }
  std::size_t Caret() override { return caret; }
  void SelectAndShow(TextRange range) override {
    anchor = range.start;
    caret = range.end;
  }
  void ReplaceRange(std::size_t first, std::size_t last, const std::string& bytes) override {
    text.replace(first, last - first, bytes);
    anchor = caret = first + bytes.size();
    ++edits;
  }
  void SetSelection(std::size_t a, std::size_t c) override {
    anchor = a;
    caret = c;
  }
  std::string text;
  std::size_t anchor = 0;
  std::size_t caret = 0;
  int edits = 0;
};

TEST(FindCommandsTest, FindNextSelectsGoingRoundAndAPatternOutsideTheCodePageIsNotFound) {
  StringView view("Timeout = 1\r\ntimeout = 2");
  EXPECT_EQ(FindNext(view, "TIMEOUT", {}, true), FindOutcome::kFound);
  EXPECT_EQ(view.Selection(), (TextRange{0, 7}));
  EXPECT_EQ(FindNext(view, "TIMEOUT", {}, true), FindOutcome::kFound);
  EXPECT_EQ(view.Selection(), (TextRange{13, 20}));
  EXPECT_EQ(FindNext(view, "TIMEOUT", {}, true), FindOutcome::kFound);  // round to the start
  EXPECT_EQ(view.Selection(), (TextRange{0, 7}));
  EXPECT_EQ(FindNext(view, "TIMEOUT", {true, false}, false), FindOutcome::kNotFound);
  EXPECT_EQ(FindNext(view, std::nullopt, {}, true), FindOutcome::kNotFound);
}

TEST(FindCommandsTest, ReplaceChangesOnlyASelectedOccurrenceAndStopsAtTheLimit) {
  StringView view("a = 1\r\na = 2");
  // Nothing selected: the first Replace only finds.
  EXPECT_EQ(ReplaceAndFindNext(view, "a", "bb", {}, 100), FindOutcome::kFound);
  EXPECT_EQ(view.text, "a = 1\r\na = 2");
  EXPECT_EQ(ReplaceAndFindNext(view, "a", "bb", {}, 100), FindOutcome::kFound);
  EXPECT_EQ(view.text, "bb = 1\r\na = 2");
  EXPECT_EQ(view.Selection(), (TextRange{8, 9}));
  EXPECT_EQ(ReplaceAndFindNext(view, "a", "bb", {}, view.text.size()), FindOutcome::kTooLong);
  EXPECT_EQ(view.text, "bb = 1\r\na = 2");
}

TEST(FindCommandsTest, ReplaceEveryIsOneEditThatKeepsTheSelectionOnItsText) {
  StringView view("x=1 x=2 y=3 x=4");
  view.SetSelection(8, 11);  // "y=3"
  EXPECT_EQ(ReplaceEvery(view, "x", "zz", {}, 100), 3);
  EXPECT_EQ(view.text, "zz=1 zz=2 y=3 zz=4");
  EXPECT_EQ(view.edits, 1);
  EXPECT_EQ(view.Selection(), (TextRange{10, 13}));
  EXPECT_EQ(ReplaceEvery(view, "q", "r", {}, 100), 0);
  EXPECT_EQ(ReplaceEvery(view, "zz", "zzzz", {}, 20), std::nullopt);
  EXPECT_EQ(view.text, "zz=1 zz=2 y=3 zz=4");
}

TEST(FindCommandsTest, FindProposesAShortSelectionOfOneLine) {
  const std::string text = "Timeout = 30\r\nBanner = x";
  EXPECT_EQ(ProposedFindText(text, {0, 7}), "Timeout");
  EXPECT_EQ(ProposedFindText(text, {3, 3}), std::nullopt);
  EXPECT_EQ(ProposedFindText(text, {10, 16}), std::nullopt);  // holds a line end
  EXPECT_EQ(ProposedFindText(std::string(300, 'a'), {0, 256}), std::nullopt);
}

}  // namespace
}  // namespace tarvex::shell
