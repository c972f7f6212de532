// The fast scan of a source in memory against the plain scan it must
// match: the same faults, messages, lines and selections, on sources made
// to sit on every edge the fast form takes a shortcut past.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checker/all_faults.h"
#include "support/source_generator.h"

namespace tarvex {
namespace {

void ExpectSameFaults(const std::string& text, const KeywordTable& table,
                      const std::string& where) {
  const std::vector<SourceFault> fast = CheckText(text, table, ScanForm::kFast);
  const std::vector<SourceFault> plain = CheckText(text, table, ScanForm::kPlain);
  ASSERT_EQ(fast.size(), plain.size()) << where;
  for (std::size_t i = 0; i < fast.size(); ++i) {
    const SourceFault& f = fast[i];
    const SourceFault& p = plain[i];
    EXPECT_EQ(f.messageId, p.messageId) << where << ", fault " << i;
    EXPECT_EQ(f.message, p.message) << where << ", fault " << i;
    EXPECT_EQ(f.line, p.line) << where << ", fault " << i;
    EXPECT_EQ(f.lastLine, p.lastLine) << where << ", fault " << i;
    EXPECT_EQ(f.selects, p.selects) << where << ", fault " << i;
    EXPECT_EQ(f.selection.start, p.selection.start) << where << ", fault " << i;
    EXPECT_EQ(f.selection.end, p.selection.end) << where << ", fault " << i;
  }
}

// Sound and faulty entries around each edge, then a faulty line whose
// number tells whether the lines before were counted alike.
TEST(TextScan, MatchesThePlainScanOnEveryEdge) {
  const KeywordTable table = testing::GeneratorDictionary();
  const std::string x1021(1021, 'x');
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"piece of 1022 characters and CR LF", "Name = " + x1021.substr(7) + "y\r\n"},
      {"piece of 1023 characters: cut, its line end a piece", "Name = " + x1021 + "y\r\n"},
      {"1023 characters and a bare LF", "Name = " + x1021.substr(6) + "\n"},
      {"1024 characters", "Name = " + x1021 + "yz\n"},
      {"the cut falls in a continued value", "Name = a\\\r\n" + x1021 + "\\\\\\x\r\n"},
      {"the cut falls in the keyword", std::string(1030, 'k') + " = 1\r\n"},
      {"a lone CR inside and at the end of a line", "Name = a\rb\r\nPort = 5\r\r\n"},
      {"continued over blank lines", "Name = a \\\r\n\r\n \t\r\nb\r\n"},
      {"continued to the end of the text", "Name = a \\\r\n  \\"},
      {"continuation that holds = and ;", "Name = \\\r\nPort = x\r\n; c \\\r\nq\r\n"},
      {"continued bool and int", "Enabled = true\\\r\nx\r\nPort = 1\\\r\n\r\n2\r\n"},
      {"zero byte in an entry", std::string("Port = 1\0x\r\nPort = x\r\n", 22)},
      {"zero byte in a continuation", std::string("Name = a\\\r\nb\0\\\r\nc\r\nPort = x\r\n", 29)},
      {"zero byte in a comment", std::string("; a\0b\r\nPort = 70000\r\n", 21)},
      {"attributes of every shape",
       "Port{policy} = 1\r\nPort { DEFAULT }=2\r\nPort{policy}x = 3\r\nPort{policy = 4\r\n"
       "Port} = 5\r\n{policy} = 6\r\nPort{other} = 7\r\nPort{a}{b} = 8\r\nPort{=}\r\n"},
      {"blank keyword, missing =, unknown keyword", " = 1\r\n\tPort 5\r\nNope = 1\r\nName\r\n"},
      {"values on the range's edges", "Port = 0\r\nPort = 65535\r\nPort = +\r\nPort=-0\r\n"},
      {"a duplicate name in another case", "dup = yes\r\nDup = true\r\n"},
  };
  for (const auto& [name, body] : cases) {
    ExpectSameFaults(body + "\r\nPort = bad\r\n", table, name);
    ExpectSameFaults(body, table, std::string(name) + ", alone");
  }
}

TEST(TextScan, MatchesThePlainScanOnRandomSources) {
  const KeywordTable table = testing::GeneratorDictionary();
  for (unsigned seed = 1; seed <= 3000; ++seed) {
    testing::SourceGenerator gen(seed);
    // Long sources too: many lookups wait at once.
    const int lines = seed % 10 == 0 ? 400 : 16;
    ExpectSameFaults(gen.Source(lines, seed % 4 == 0), table, "seed " + std::to_string(seed));
    if (HasFailure()) return;
  }
}

}  // namespace
}  // namespace tarvex
