// A row's rule read where the line lies (as a dictionary loads) against the
// rule of its cut fields: the same type and bounds for every shape of line.
#include "keywords/keyword_rule.h"

#include <gtest/gtest.h>

#include "keywords/blanks.h"
#include "keywords/keyword_line.h"

namespace tarvex {
namespace {

TEST(KeywordRule, ReadFromTheLineAsFromItsFields) {
  const char* lines[] = {
      "Port, int, 1, 65535",
      "Port,INT,-5,5",
      "Port , Int , \v 7 , 9x",
      "Port,int,,",
      "Port,int",
      "Port,int,",
      "Port,int,+ 4,- 4",
      "Port,int,99999999999,-99999999999",
      "Port,int,1,2,3,4",
      "Port, in t, 1, 2",
      "Port,integer,1,2",
      "Port,String",
      "Port , sTrInG , a , b",
      "Port,bool,1,2",
      "Port,BOOL\r",
      "Port,boolean",
      "Port",
      "Port ,",
      ",int,1,2",
      "Port\t,\tint\t,\t3\t,\t4\t",
      "Po rt, int, 3, 4",
      "Port,\xC9nt,1,2",
  };
  for (const char* text : lines) {
    const std::string_view line = LeadingBlanksSkipped(text);
    KeywordDef row;
    ASSERT_TRUE(ParseKeywordLine(line, &row)) << text;
    const KeywordRule expected = RuleOfRow(row);
    const KeywordRule got = RuleOfLine(line, KeywordLineName(line).size());
    EXPECT_EQ(got.type, expected.type) << text;
    EXPECT_EQ(got.minimum, expected.minimum) << text;
    EXPECT_EQ(got.maximum, expected.maximum) << text;
  }
}

}  // namespace
}  // namespace tarvex
