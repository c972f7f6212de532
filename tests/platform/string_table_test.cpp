#include <gtest/gtest.h>

#include "platform/message_format.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "platform/system_time.h"

namespace tarvex {
namespace {

TEST(MessageFormat, FillsPlaceholdersInOrder) {
  EXPECT_EQ(FormatMessage(IDS_NOT_VALID_KEYWORD, {"Tmeout", 4}),
            "\"Tmeout\" on line number 4 is not a valid keyword.");
  EXPECT_EQ(FormatMessage(IDS_INVALID_INTEGER, {7, "Timeout"}),
            "Invalid integer value detected on line 7. \nPlease enter appropriate integer value "
            "for \"Timeout\" keyword.");
  EXPECT_EQ(FormatMessage(IDP_ASK_TO_SAVE, {"Untitled"}), "Save changes to Untitled?");
}

TEST(MessageFormat, ArgumentsAreNeverReadAsFormats) {
  EXPECT_EQ(FormatMessage(IDS_ERROR_READING_FILE, {"%s%d%n%1 %%"}),
            "Error reading file %s%d%n%1 %% !");
  EXPECT_EQ(FormatText("%s and %s", {"%s", "x"}), "%s and x");
}

TEST(MessageFormat, MissingAndSurplusArgumentsAndStrayPercents) {
  EXPECT_EQ(FormatText("a %s b %d c", {}), "a  b  c");
  EXPECT_EQ(FormatText("%s", {"one", "two"}), "one");
  EXPECT_EQ(FormatText("100% sure, 50%% off, %", {}), "100% sure, 50% off, %");
  EXPECT_EQ(FormatText("%2 before %1", {"a", "b"}), "b before a");
  EXPECT_EQ(FormatText("%d", {-12}), "-12");
}

TEST(StringTable, KeepsTextsExactlyAsWritten) {
  EXPECT_EQ(LoadStringText(IDS_EQUALS_MISSING), "Incorrect syntax, '=' is missing on line %d .");
  EXPECT_EQ(LoadStringText(IDS_BLANK_KEYWORD),
            "Error detect on line %d.  Keyword cannot be blank.");
  EXPECT_EQ(LoadStringText(ID_KEYWORD_MIN), "Tarvex keyword minimum value\nKeyword minimim value");
  EXPECT_EQ(LoadStringText(IDS_APP_TITLE), "Tarvex");
  EXPECT_FALSE(HasStringText(ID_KEYWORD));  // the keyword box has neither prompt nor tool tip
  EXPECT_EQ(LoadStringText(ID_KEYWORD), "");
  for (int id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_LAST; ++id) {
    EXPECT_EQ(LoadStringText(id), "Open this document") << id;
  }
}

TEST(StringTable, SplitsPromptAndToolTip) {
  const std::string_view generate = LoadStringText(ID_GENERATE);
  EXPECT_EQ(PromptOf(generate), "Generate policy file. ");
  EXPECT_EQ(ToolTipOf(generate), "Generate");
  EXPECT_EQ(PromptOf(LoadStringText(ID_HELP_CONTENTS)),
            "Displays the table of contents for the online documentation");
  EXPECT_EQ(ToolTipOf(LoadStringText(ID_HELP_CONTENTS)), "");
}

TEST(SystemTime, ConvertsUnixSecondsToUtcCalendar) {
  struct Case {
    long long seconds;
    SystemTime expected;
  } cases[] = {
      {0, {1970, 1, 4, 1, 0, 0, 0}},
      {951782400, {2000, 2, 2, 29, 0, 0, 0}},      // a leap day, a Tuesday
      {1796860799, {2026, 12, 3, 9, 23, 59, 59}},  // a Wednesday, its last second
      {-1, {1969, 12, 3, 31, 23, 59, 59}},         // before the epoch
  };
  for (const Case& c : cases) {
    SystemTime t = UtcTimeFromUnixSeconds(c.seconds);
    EXPECT_EQ(t.year, c.expected.year) << c.seconds;
    EXPECT_EQ(t.month, c.expected.month) << c.seconds;
    EXPECT_EQ(t.dayOfWeek, c.expected.dayOfWeek) << c.seconds;
    EXPECT_EQ(t.day, c.expected.day) << c.seconds;
    EXPECT_EQ(t.hour, c.expected.hour) << c.seconds;
    EXPECT_EQ(t.minute, c.expected.minute) << c.seconds;
    EXPECT_EQ(t.second, c.expected.second) << c.seconds;
  }
}

}  // namespace
}  // namespace tarvex
