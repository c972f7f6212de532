#include <gtest/gtest.h>

#include "commands/main_frame_logic.h"
#include "platform/fake_window_system.h"
#include "support/param_name.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {

const char kUnable[] = "\nUnable to generate the 'Policy.bin' file.";

struct Case {
  const char* name;
  std::string source;   // the saved file, and the editor's text
  std::string message;  // empty: the pass succeeds silently
  std::size_t start = 0, end = 0;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

class CheckSourceTest : public ::testing::TestWithParam<Case> {
 protected:
  CheckSourceTest() : frame(ws) {
    table.Append({"Timeout", "int", "1", "60"});
    table.Append({"Enable", "bool", "", ""});
    table.Append({"Name", "string", "", ""});
    table.Append({"Key", "string", "", ""});
    table.Append({"Port5", "int", "0", "4"});
    table.Append({"Odd", "number", "", ""});
    frame.SetKeywordTable(&table);
  }
  testing::TempDir dir;
  KeywordTable table;
  FakeWindowSystem ws;
  MainFrameLogic frame;
};

TEST_P(CheckSourceTest, ReportsTheFirstFaultWithItsSelection) {
  const Case& c = GetParam();
  frame.m_sourcePath = dir.Write("policy.inf", c.source);
  ws.viewText = c.source;
  const bool ok = frame.CheckSource();
  if (c.message.empty()) {
    EXPECT_TRUE(ok) << c.name;
    EXPECT_TRUE(ws.boxes.empty()) << c.name << ": " << ws.boxes[0].text;
    EXPECT_TRUE(ws.selections.empty()) << c.name;
    return;
  }
  EXPECT_FALSE(ok) << c.name;
  ASSERT_EQ(ws.boxes.size(), 1u) << c.name;
  EXPECT_EQ(ws.boxes[0].text, c.message) << c.name;
  EXPECT_FALSE(ws.boxes[0].application) << c.name;
  if (c.message.starts_with("There are no keywords")) {
    EXPECT_TRUE(ws.selections.empty()) << c.name;
  } else {
    ASSERT_EQ(ws.selections.size(), 1u) << c.name;
    EXPECT_EQ(ws.selections[0].first, c.start) << c.name;
    EXPECT_EQ(ws.selections[0].second, c.end) << c.name;
  }
}

std::string Msg(const std::string& text) {
  return text + kUnable;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckSourceTest,
    ::testing::Values(
        // Blank files and files without entries.
        Case{"empty file", "",
             "There are no keywords to generate.\nUnable to generate the 'Policy.bin' file."},
        Case{"blank lines only", "\r\n  \r\n\t\r\n",
             "There are no keywords to generate.\nUnable to generate the 'Policy.bin' file."},
        Case{"comments and sections only", "; comment\r\n[Section]\r\n", ""},
        Case{"indented comment and section with equals", "   ;x = 1\r\n  [x] = 1\r\n", ""},
        Case{"sound entries", "Timeout = 30\r\nEnable = TRUE\r\nName =\r\nKey{Policy} = v\r\n", ""},
        Case{"a keyword set twice, once in other case", "Timeout = 1\r\nTIMEOUT = 2\r\n", ""},
        Case{"bare line feeds", "Timeout = 30\nEnable = false\n", ""},
        // Syntax.
        Case{"missing equals", "; c\r\n[S]\r\n\r\nTimeout 30\r\n",
             Msg("Incorrect syntax, '=' is missing on line 4 ."), 12, 22},
        Case{"blank keyword", "= 5\r\n", Msg("Error detect on line 1.  Keyword cannot be blank."),
             0, 4},
        Case{"blank keyword before braces", "Name = 1\r\n{policy} = 5\r\n",
             Msg("Error detect on line 2.  Keyword cannot be blank."), 10, 23},
        Case{"blank keyword on a last line without line end", "Name = a\r\n  = 5",
             Msg("Error detect on line 2.  Keyword cannot be blank."), 12, 15},
        Case{"bad attribute", "Name = a\r\nKey{other} = 1\r\n",
             Msg("\"other\" is not a valid attribute detected on line 2."), 14, 19},
        Case{"text after the closing brace", "Key{policy}x = 1\r\n",
             Msg("\"policy}x\" is not a valid attribute detected on line 1."), 4, 12},
        Case{"brace without closing brace is part of the keyword", "Key{policy = 1\r\n",
             Msg("\"Key{policy\" on line number 1 is not a valid keyword."), 0, 10},
        // Entry checks, with the keyword as the source writes it.
        Case{"unknown keyword", "Name = x\r\n  Tmeout = 3\r\n",
             Msg("\"Tmeout\" on line number 2 is not a valid keyword."), 12, 18},
        Case{"unsupported type", "Odd = 1\r\n",
             Msg("General keyword error!  Please contact customer support for more details."), 0,
             3},
        Case{"bad boolean", "Enable = yes\r\n",
             Msg("Invalid boolean value on line 1 !  \nThis keyword can only be assigned with a "
                 "boolean value (i.e. true or false)."),
             9, 12},
        Case{"bad integer names the keyword as written", "TIMEOUT = 1.5\r\n",
             Msg("Invalid integer value detected on line 1. \nPlease enter appropriate integer "
                 "value for \"TIMEOUT\" keyword."),
             10, 13},
        Case{"out of range names the value", "Port5 = 5\r\n",
             Msg("\"5\" is not within a valid range.  \nThis keyword can only be assigned with a "
                 "valid numeric number."),
             8, 9},
        // Continuation lines.
        Case{"continued string passes and numbering goes on",
             "Name = a\r\nName = b\r\nName = c\r\nName = d\r\nName = first \\\r\nsecond part\r\n"
             "Timeout 1\r\n",
             Msg("Incorrect syntax, '=' is missing on line 7 ."), 69, 78},
        Case{"continuation takes a blank line and an entry line",
             "Name = a \\\r\n\r\nTimeout = x\r\nEnable = x\r\n",
             Msg("Invalid boolean value on line 4 !  \nThis keyword can only be assigned with a "
                 "boolean value (i.e. true or false)."),
             36, 37},
        Case{"continued int is reported on its first line, whole line selected",
             "Name = a\r\nTimeout = 5 \\\r\n0\r\n",
             Msg("Invalid use of line concatenation detected on line 2.\nOnly string type "
                 "keyword can use line concatenation."),
             10, 23},
        Case{"continued bool", "Enable = true\\\r\nfalse",
             Msg("Invalid use of line concatenation detected on line 1.\nOnly string type "
                 "keyword can use line concatenation."),
             0, 14},
        Case{"continuation at the end of the file", "Name = last \\", ""},
        Case{"continued unknown keyword", "Nope = a\\\r\nb\r\n",
             Msg("\"Nope\" on line number 1 is not a valid keyword."), 0, 4},
        Case{"blanks after the backslash", "Name = a \\   \r\nTimeout 1\r\n", ""},
        // Long lines are checked in pieces of 1023 characters.
        Case{"a line of 1,500 characters", "Name = " + std::string(1493, 'x') + "\r\n",
             Msg("Incorrect syntax, '=' is missing on line 2 ."), 1502, 1502},
        Case{"NUL ends a line's text", std::string("Name = a\0 = ;\r\nEnable = true\r\n", 30), ""}),
    testing::CaseName());

TEST(CheckSource, UnreadableSourceIsReported) {
  testing::TempDir dir;
  FakeWindowSystem ws;
  MainFrameLogic frame(ws);
  frame.m_sourcePath = dir.Path("absent.inf");
  EXPECT_FALSE(frame.CheckSource());
  EXPECT_EQ(ws.texts(),
            std::vector<std::string>{"Error reading file " + frame.m_sourcePath + " !"});
  frame.m_sourcePath = dir.path().string();
  EXPECT_FALSE(frame.CheckSource());
  EXPECT_EQ(ws.boxes.size(), 2u);
  EXPECT_TRUE(ws.selections.empty());
}

}  // namespace
}  // namespace tarvex
