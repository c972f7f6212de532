#include <gtest/gtest.h>

#include "checker/entry_check.h"

namespace tarvex {
namespace {

KeywordTable Dictionary() {
  KeywordTable t;
  t.Append({"Percent", "int", "0", "100"});
  t.Append({"Flag", "bool", "", ""});
  t.Append({"Name", "String", "", ""});
  t.Append({"Capital", "Int", "1", "60"});
  t.Append({"Zero", "int", "", ""});
  t.Append({"Inverted", "int", "10", "1"});
  t.Append({"Sloppy", "int", "-5xyz", "10abc"});
  t.Append({"Wide", "int", "-99999999999", "99999999999"});
  t.Append({"Integer", "integer", "", ""});
  t.Append({"Untyped", "", "", ""});
  t.Append({"percent", "string", "", ""});  // a later duplicate never counts
  t.Append({"", "string", "", ""});         // an empty name never matches
  return t;
}

struct Case {
  const char* keyword;
  const char* value;
  bool continued;
  CheckResult expected;
};

class CheckEntryTest : public ::testing::TestWithParam<Case> {};

TEST_P(CheckEntryTest, GivesTheFirstFaultInOrder) {
  static const KeywordTable table = Dictionary();
  const Case& c = GetParam();
  EXPECT_EQ(CheckEntry(table, c.keyword, c.value, c.continued), c.expected)
      << c.keyword << " = '" << c.value << "'" << (c.continued ? " (continued)" : "");
  // The fast form, from the rule the table keeps for the row.
  KeywordRule rule;
  if (table.FindRule(c.keyword, &rule) && c.keyword[0] != '\0') {
    EXPECT_EQ(CheckValue(rule, c.value, c.continued), c.expected)
        << c.keyword << " = '" << c.value << "' by its rule";
  }
}

using R = CheckResult;
INSTANTIATE_TEST_SUITE_P(
    Cases, CheckEntryTest,
    ::testing::Values(
        // Keywords.
        Case{"", "1", false, R::BlankKeyword}, Case{"", "", true, R::BlankKeyword},
        Case{"Nope", "1", false, R::UnknownKeyword}, Case{"Nope", "", true, R::UnknownKeyword},
        Case{"PERCENT", "50", false, R::Ok}, Case{"Percent ", "50", false, R::UnknownKeyword},
        // Types.
        Case{"Integer", "1", false, R::UnsupportedType},
        Case{"Integer", "1", true, R::UnsupportedType},
        Case{"Untyped", "x", false, R::UnsupportedType}, Case{"Name", "", false, R::Ok},
        Case{"Name", "anything \\\rat all", true, R::Ok},
        // Booleans.
        Case{"Flag", "TRUE", false, R::Ok}, Case{"Flag", "false", false, R::Ok},
        Case{"Flag", "False", false, R::Ok}, Case{"Flag", "yes", false, R::BadBoolean},
        Case{"Flag", "1", false, R::BadBoolean}, Case{"Flag", "true;", false, R::BadBoolean},
        Case{"Flag", "", false, R::BadBoolean},
        Case{"Flag", "true", true, R::ContinuationNotAllowed},
        // Integers: form before range, continuation before form.
        Case{"Percent", "0", false, R::Ok}, Case{"Percent", "100", false, R::Ok},
        Case{"Percent", "+100", false, R::Ok}, Case{"Percent", "007", false, R::Ok},
        Case{"Percent", "+", false, R::Ok}, Case{"Percent", "-", false, R::Ok},
        Case{"Percent", "101", false, R::OutOfRange}, Case{"Percent", "-1", false, R::OutOfRange},
        Case{"Percent", "0x10", false, R::BadInteger}, Case{"Percent", "1.5", false, R::BadInteger},
        Case{"Percent", "1 000", false, R::BadInteger},
        Case{"Percent", "10abc", false, R::BadInteger}, Case{"Percent", "", false, R::BadInteger},
        Case{"Percent", "--1", false, R::BadInteger},
        Case{"Percent", "x", true, R::ContinuationNotAllowed}, Case{"Capital", "60", false, R::Ok},
        Case{"Capital", "0", false, R::OutOfRange}, Case{"Zero", "0", false, R::Ok},
        Case{"Zero", "-0", false, R::Ok}, Case{"Zero", "1", false, R::OutOfRange},
        Case{"Inverted", "5", false, R::OutOfRange}, Case{"Inverted", "10", false, R::OutOfRange},
        Case{"Sloppy", "-5", false, R::Ok}, Case{"Sloppy", "10", false, R::Ok},
        Case{"Sloppy", "11", false, R::OutOfRange},
        // Beyond 32 bits: never wrapped round into the range.
        Case{"Wide", "2147483647", false, R::Ok}, Case{"Wide", "-2147483648", false, R::Ok},
        Case{"Wide", "2147483648", false, R::OutOfRange},
        Case{"Wide", "-2147483649", false, R::OutOfRange},
        Case{"Percent", "4294967346", false, R::OutOfRange},  // wraps to 50 in 32 bits
        Case{"Percent", "0000000000000000000000000000042", false, R::Ok}));

TEST(IntegerText, Form) {
  for (const char* yes : {"0", "+", "-", "-12", "+007", "2147483648"}) {
    EXPECT_TRUE(IsIntegerText(yes)) << yes;
  }
  for (const char* no : {"", " 1", "1 ", "1+", "+-1", "0x1", "1e3", "\xB9"}) {
    EXPECT_FALSE(IsIntegerText(no)) << no;
  }
}

TEST(IntegerText, BoundsReadLikeTheCLibraryButSaturate) {
  EXPECT_EQ(BoundValue(""), 0);
  EXPECT_EQ(BoundValue("abc"), 0);
  EXPECT_EQ(BoundValue("10abc"), 10);
  EXPECT_EQ(BoundValue(" \t\v\f\r\n-42"), -42);
  EXPECT_EQ(BoundValue("+ 5"), 0);
  EXPECT_EQ(BoundValue("99999999999999999999"), 2147483647);
  EXPECT_EQ(BoundValue("-99999999999999999999"), -2147483647 - 1);
}

}  // namespace
}  // namespace tarvex
