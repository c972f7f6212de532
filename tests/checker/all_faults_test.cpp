#include "checker/all_faults.h"

#include <gtest/gtest.h>

#include "commands/main_frame_logic.h"
#include "platform/fake_window_system.h"
#include "platform/resource_ids.h"
#include "support/param_name.h"
#include "support/source_generator.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {

struct Expected {
  int id;
  int line, column, endLine, endColumn;
};

struct Case {
  const char* name;
  std::string source;
  std::vector<Expected> faults;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

class CheckTextTest : public ::testing::TestWithParam<Case> {
 protected:
  CheckTextTest() {
    table.Append({"Timeout", "int", "1", "60"});
    table.Append({"Enable", "bool", "", ""});
    table.Append({"Name", "string", "", ""});
  }
  KeywordTable table;
};

TEST_P(CheckTextTest, ListsEveryFaultInOrder) {
  const Case& c = GetParam();
  const std::vector<SourceFault> faults = CheckText(c.source, table);
  ASSERT_EQ(faults.size(), c.faults.size());
  for (std::size_t i = 0; i < faults.size(); ++i) {
    TextPosition start, end;
    FaultPositions(c.source, faults[i], &start, &end);
    EXPECT_EQ(faults[i].messageId, c.faults[i].id) << "fault " << i;
    EXPECT_EQ(start.line, c.faults[i].line) << "fault " << i;
    EXPECT_EQ(start.column, c.faults[i].column) << "fault " << i;
    EXPECT_EQ(end.line, c.faults[i].endLine) << "fault " << i;
    EXPECT_EQ(end.column, c.faults[i].endColumn) << "fault " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckTextTest,
    ::testing::Values(
        Case{"sound source", "Timeout = 5\r\n; c\r\n[S]\r\n", {}},
        Case{"blank source", "\r\n \t\r\n", {{IDS_NO_KEYWORDS, 1, 1, 1, 1}}},
        Case{"one fault per faulty line",
             "Timeout 5\r\nEnable = yes\r\nName = ok\r\nNope = 1\r\n",
             {{IDS_EQUALS_MISSING, 1, 1, 1, 10},
              {IDS_INVALID_BOOLEAN, 2, 10, 2, 13},
              {IDS_NOT_VALID_KEYWORD, 4, 1, 4, 5}}},
        Case{"a faulty continued entry resumes after its continuation lines",
             "Timeout = 1\\\r\nNope = 2\r\nEnable = maybe\r\n",
             {{IDS_INVALID_CONCATENATION, 1, 1, 1, 13}, {IDS_INVALID_BOOLEAN, 3, 10, 3, 15}}},
        Case{"a faulty continued entry runs to the end of the text",
             "Enable = 1\\\r\n\r\nx",
             {{IDS_INVALID_CONCATENATION, 1, 1, 1, 12}}},
        Case{"a blank keyword selection spans the line end",
             "= 1\nTimeout = 99\n",
             {{IDS_BLANK_KEYWORD, 1, 1, 2, 1}, {IDS_NOT_WITHIN_RANGE, 2, 11, 2, 13}}},
        Case{"bad attribute then a fault on the same entry is not reported twice",
             "Nope{x} = 1\r\nNope = 2\r\n",
             {{IDS_NOT_VALID_ATTRIBUTE, 1, 6, 1, 7}, {IDS_NOT_VALID_KEYWORD, 2, 1, 2, 5}}},
        // Generate's selection shifts as its line numbers do: the piece's text
        // is not on editor line 2, so as many bytes from its start are taken.
        Case{"a long line's second piece is a line of its own",
             "Name = " + std::string(1100, 'x') + "\r\nTimeout 1\r\n",
             {{IDS_EQUALS_MISSING, 2, 1, 3, 1}, {IDS_EQUALS_MISSING, 3, 1, 3, 1}}}),
    testing::CaseName());

// Generate's own check on the same text, through a saved file.
struct GenerateResult {
  bool sound = false;
  std::string message;
  int id = 0;
  std::vector<std::pair<std::size_t, std::size_t>> selections;
};

GenerateResult RunGenerateCheck(const std::string& text, const KeywordTable& table,
                                const testing::TempDir& dir) {
  FakeWindowSystem ws;
  ws.viewText = text;
  MainFrameLogic frame(ws);
  frame.SetKeywordTable(&table);
  frame.m_sourcePath = dir.Write("p.inf", text);
  GenerateResult r;
  r.sound = frame.CheckSource();
  if (!ws.boxes.empty()) {
    r.message = ws.boxes[0].text;
    r.id = ws.boxes[0].id;
  }
  r.selections = ws.selections;
  return r;
}

std::size_t ColumnOf(const std::string& text, std::size_t offset) {
  const std::size_t lf = offset == 0 ? std::string::npos : text.rfind('\n', offset - 1);
  return lf == std::string::npos ? offset : offset - lf - 1;
}

TEST(CheckTextProperty, FirstFaultIsGeneratesFirstFault) {
  testing::TempDir dir;
  const KeywordTable table = testing::GeneratorDictionary();
  for (unsigned seed = 1; seed <= 700; ++seed) {
    testing::SourceGenerator gen(seed);
    const std::string text = gen.Source(12, seed % 5 == 0);
    const std::vector<SourceFault> faults = CheckText(text, table);
    const GenerateResult g = RunGenerateCheck(text, table, dir);
    ASSERT_EQ(g.sound, faults.empty()) << "seed " << seed;
    if (g.sound) continue;
    const SourceFault& f = faults[0];
    ASSERT_EQ(g.id, f.messageId) << "seed " << seed;
    ASSERT_EQ(g.message, f.message) << "seed " << seed;
    ASSERT_EQ(g.selections.empty(), !f.selects) << "seed " << seed;
    if (f.selects) {
      ASSERT_EQ(g.selections[0].first, f.selection.start) << "seed " << seed;
      ASSERT_EQ(g.selections[0].second, f.selection.end) << "seed " << seed;
    }
  }
}

// With the lines of the first faulty entry blanked, Generate's first fault
// is the check's second one: the check resumes where Generate would.
TEST(CheckTextProperty, NextFaultIsGeneratesFirstOnceTheEntryIsBlanked) {
  testing::TempDir dir;
  const KeywordTable table = testing::GeneratorDictionary();
  int compared = 0;
  for (unsigned seed = 1; seed <= 700; ++seed) {
    testing::SourceGenerator gen(seed);
    const std::string text = gen.Source(12, false);
    const std::vector<SourceFault> faults = CheckText(text, table);
    if (faults.size() < 2) continue;
    // Blank lines first..last of the entry, keeping every line feed.
    std::string blanked;
    int line = 1;
    for (char c : text) {
      if (c == '\n') ++line;
      if (c == '\n' || line < faults[0].line || line > faults[0].lastLine) blanked += c;
    }
    const GenerateResult g = RunGenerateCheck(blanked, table, dir);
    const SourceFault& f = faults[1];
    ASSERT_EQ(g.message, f.message) << "seed " << seed;
    ASSERT_EQ(g.selections.size(), 1u) << "seed " << seed;
    const auto [start, end] = g.selections[0];
    EXPECT_EQ(ColumnOf(blanked, start), ColumnOf(text, f.selection.start)) << "seed " << seed;
    EXPECT_EQ(end - start, f.selection.end - f.selection.start) << "seed " << seed;
    ++compared;
  }
  EXPECT_GT(compared, 100);
}

}  // namespace
}  // namespace tarvex
