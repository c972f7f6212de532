// Find and Replace All on the document's bytes.
#include "shell/text_search.h"

#include <gtest/gtest.h>

namespace tarvex::shell {
namespace {

struct FindCase {
  const char* name;
  std::string text;
  std::string pattern;
  SearchOptions options;
  TextRange selection;
  bool forward;
  std::optional<TextRange> found;
};

class FindInTextTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindInTextTest, FindsTheNextOccurrence) {
  const FindCase& c = GetParam();
  EXPECT_EQ(FindInText(c.text, c.pattern, c.options, c.selection, c.forward), c.found);
}

const SearchOptions kAny{};
const SearchOptions kCase{true, false};
const SearchOptions kWord{false, true};

INSTANTIATE_TEST_SUITE_P(
    Cases, FindInTextTest,
    ::testing::Values(
        FindCase{"forward_after_the_selection",
                 "alpha beta Alpha\r\nALPHA",
                 "alpha",
                 kAny,
                 {0, 5},
                 true,
                 TextRange{11, 16}},
        FindCase{"forward_wraps_to_the_start",
                 "alpha beta Alpha\r\nALPHA",
                 "alpha",
                 kAny,
                 {18, 23},
                 true,
                 TextRange{0, 5}},
        FindCase{"backward_wraps_to_the_end",
                 "alpha beta Alpha\r\nALPHA",
                 "alpha",
                 kAny,
                 {0, 5},
                 false,
                 TextRange{18, 23}},
        FindCase{"backward_ends_before_the_selection",
                 "aaa",
                 "aa",
                 kAny,
                 {2, 3},
                 false,
                 TextRange{0, 2}},
        FindCase{"match_case", "Timeout timeout", "timeout", kCase, {0, 0}, true, TextRange{8, 15}},
        FindCase{"code_page_letters_fold",
                 "caf\xC9 caf\xE9",
                 "CAF\xE9",
                 kAny,
                 {0, 0},
                 true,
                 TextRange{0, 4}},
        FindCase{"code_page_letters_kept_with_match_case",
                 "caf\xC9 caf\xE9",
                 "caf\xE9",
                 kCase,
                 {0, 0},
                 true,
                 TextRange{5, 9}},
        FindCase{
            "not_a_letter_does_not_fold", "\xD7\xF7", "\xF7", kAny, {0, 0}, true, TextRange{1, 2}},
        FindCase{"whole_word_skips_longer_words",
                 "timeouts = 2\r\ntimeout = 3",
                 "timeout",
                 kWord,
                 {0, 0},
                 true,
                 TextRange{14, 21}},
        FindCase{"whole_word_high_bytes_are_word_characters",
                 "caf\xE9 cafe",
                 "caf",
                 kWord,
                 {0, 0},
                 true,
                 std::nullopt},
        FindCase{"whole_word_stops_at_punctuation",
                 "a=Log{policy}",
                 "Log",
                 kWord,
                 {0, 0},
                 true,
                 TextRange{2, 5}},
        FindCase{"empty_pattern_is_never_found", "abc", "", kAny, {0, 0}, true, std::nullopt},
        FindCase{"nul_bytes_are_text",
                 std::string("a\0b\0b", 5),
                 std::string("\0b", 2),
                 kAny,
                 {2, 2},
                 true,
                 TextRange{3, 5}}),
    [](const ::testing::TestParamInfo<FindCase>& info) { return std::string(info.param.name); });

TEST(SelectionMatchesTest, OnlyAnExactOccurrence) {
  EXPECT_TRUE(SelectionMatches("a Key b", "key", kAny, {2, 5}));
  EXPECT_FALSE(SelectionMatches("a Key b", "key", kCase, {2, 5}));
  EXPECT_FALSE(SelectionMatches("a Keys b", "key", kAny, {2, 6}));
  EXPECT_FALSE(SelectionMatches("a Key b", "", kAny, {2, 2}));
}

TEST(PlanReplaceAllTest, OneEditAndTheSelectionStaysOnItsText) {
  struct Case {
    std::size_t anchor, caret;  // in "ab x ab y ab"
    const char* replacement;
    const char* result;
    std::size_t newAnchor, newCaret;
  } cases[] = {
      {3, 3, "long", "long x long y long", 5, 5},  // between matches
      {11, 12, "c", "c x c y c", 8, 9},    // in the last match: its start; at its end: after it
      {0, 12, "", " x  y ", 0, 6},         // across all
      {5, 5, "ab", "ab x ab y ab", 5, 5},  // same length
  };
  for (const Case& c : cases) {
    const std::string text = "ab x ab y ab";
    const auto edit = PlanReplaceAll(text, "ab", c.replacement, kAny, 100, c.anchor, c.caret);
    ASSERT_TRUE(edit.has_value());
    EXPECT_EQ(edit->count, 3);
    EXPECT_EQ(text.substr(0, edit->first) + edit->replacement + text.substr(edit->last), c.result);
    EXPECT_EQ(edit->anchor, c.newAnchor) << c.replacement;
    EXPECT_EQ(edit->caret, c.newCaret) << c.replacement;
  }
}

TEST(PlanReplaceAllTest, NonOverlappingAndHeldToTheLimit) {
  const auto edit = PlanReplaceAll("aaaa aaaa", "aa", "b", kAny, 100, 0, 0);
  ASSERT_TRUE(edit.has_value());
  EXPECT_EQ(edit->count, 4);
  EXPECT_EQ(edit->replacement, "bb bb");

  const std::string full(20, 'a');
  EXPECT_FALSE(PlanReplaceAll(full, "a", "bb", kAny, 39, 0, 0).has_value());
  EXPECT_EQ(PlanReplaceAll(full, "a", "bb", kAny, 40, 0, 0)->count, 20);
  EXPECT_EQ(PlanReplaceAll(full, "aa", "b", kAny, 20, 0, 0)->count, 10);  // shrinks at the limit
  EXPECT_EQ(PlanReplaceAll(full, "z", "bb", kAny, 20, 0, 0)->count, 0);
}

}  // namespace
}  // namespace tarvex::shell
