#include <gtest/gtest.h>

#include "checker/entry_syntax.h"
#include "keywords/blanks.h"

namespace tarvex {
namespace {

SourceEntry Split(const std::string& line) {
  const std::string stripped = StripLeadingBlanks(line);
  return SplitEntry(stripped, stripped.find('='));
}

TEST(EntrySyntax, TakesEntriesApart) {
  struct Case {
    std::string line;
    std::string keyword, attribute, value;
  } cases[] = {
      {"Key = 1\n", "Key", "DEFAULT", "1"},
      {"  Key\t=\t a = b \r\n", "Key", "DEFAULT", "a = b"},
      {"Key =\n", "Key", "DEFAULT", ""},
      {"= 5", "", "DEFAULT", "5"},
      {"{policy} = 5", "", "policy", "5"},
      {"Key{policy} = 1", "Key", "policy", "1"},
      {"Key { Policy } = 1", "Key", "Policy", "1"},
      {"Key{other} = 1", "Key", "other", "1"},
      {"Key{policy}x = 1", "Key", "policy}x", "1"},
      {"Key{a}b} = 1", "Key", "a}b", "1"},
      {"Key{a}b}c = 1", "Key", "a}b}c", "1"},
      {"Key{policy = 1", "Key{policy", "DEFAULT", "1"},
      {"Key}x{ = 1", "Key}x{", "DEFAULT", "1"},
      {"Key = {policy}", "Key", "DEFAULT", "{policy}"},
      {"Key = ; not a comment", "Key", "DEFAULT", "; not a comment"},
  };
  for (const auto& c : cases) {
    const SourceEntry e = Split(c.line);
    EXPECT_EQ(e.keyword, c.keyword) << c.line;
    EXPECT_EQ(e.attribute, c.attribute) << c.line;
    EXPECT_EQ(e.value, c.value) << c.line;
  }
}

TEST(EntrySyntax, LineKindsAndAttributes) {
  EXPECT_EQ(KindOfLine(""), LineKind::Blank);
  EXPECT_EQ(KindOfLine(";x = 1"), LineKind::Comment);
  EXPECT_EQ(KindOfLine("[x] = 1"), LineKind::Section);
  EXPECT_EQ(KindOfLine("x ; y"), LineKind::Entry);
  EXPECT_TRUE(IsValidAttribute("DEFAULT"));
  EXPECT_TRUE(IsValidAttribute("Policy"));
  EXPECT_FALSE(IsValidAttribute("policies"));
  EXPECT_FALSE(IsValidAttribute(""));
}

}  // namespace
}  // namespace tarvex
