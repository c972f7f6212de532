#include <gtest/gtest.h>

#include "keywords/ascii_case.h"
#include "keywords/keyword_file.h"
#include "keywords/keyword_table.h"
#include "platform/fake_window_system.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {
using testing::TempDir;

std::vector<KeywordDef> Load(const std::string& bytes) {
  TempDir dir;
  FakeWindowSystem ws;
  KeywordTable table;
  EXPECT_TRUE(LoadKeywordFile(table, dir.Write("keyword.txt", bytes), ws));
  EXPECT_TRUE(ws.boxes.empty());
  return table.rows();
}

using Rows = std::vector<KeywordDef>;
const KeywordDef kEmptyRow;

TEST(KeywordFile, CutsEachLineIntoFourTrimmedFields) {
  struct Case {
    const char* name;
    std::string line;
    KeywordDef row;
  } cases[] = {
      {"full row", "Timeout,int,1,60", {"Timeout", "int", "1", "60"}},
      {"blanks around commas", " \tTimeout , int ,\t1 , 60 \t", {"Timeout", "int", "1", "60"}},
      {"inner blanks stay",
       "Server Name, some type ,a b,",
       {"Server Name", "some type", "a b", ""}},
      {"name only", "Banner", {"Banner", "", "", ""}},
      {"two fields", "Banner,string", {"Banner", "string", "", ""}},
      {"blank field", "Banner,   ,1", {"Banner", "", "1", ""}},
      {"six fields keep four", "A,int,1,2,3,4", {"A", "int", "1", "2"}},
      {"leading comma", ",int,1,2", {"", "int", "1", "2"}},
      {"semicolon after text", "A;B,bool", {"A;B", "bool", "", ""}},
      {"bytes above 0x7F", "Caf\xE9,\xFF", {"Caf\xE9", "\xFF", "", ""}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Load(c.line + "\n"), Rows{c.row}) << c.name;
  }
}

TEST(KeywordFile, CommentsBlankLinesAndLineEnds) {
  EXPECT_EQ(Load("; comment\n  \t; indented comment\nA,int\n"), (Rows{{"A", "int", "", ""}}));
  EXPECT_EQ(Load("A\n\n  \nB"), (Rows{{"A", "", "", ""}, kEmptyRow, kEmptyRow, {"B", "", "", ""}}));
  EXPECT_EQ(Load("A,int,1,2\r\nB,bool\r\n"), Load("A,int,1,2\nB,bool\n"));
  EXPECT_EQ(Load(""), Rows{});
  EXPECT_EQ(Load(";only\n;comments"), Rows{});
}

TEST(KeywordFile, LongLinesArePieces) {
  EXPECT_EQ(Load(std::string(1023, 'n') + "\r\n"),
            (Rows{{std::string(1023, 'n'), "", "", ""}, kEmptyRow}));
  EXPECT_EQ(Load(std::string(1022, 'n') + "\r\n").size(), 1u);
  // 5,000 characters: four full pieces and the rest.
  EXPECT_EQ(Load(std::string(5000, 'x') + "\n").size(), 5u);
}

TEST(KeywordFile, NulBytesEndTheLineForItsFields) {
  EXPECT_EQ(Load(std::string("A,int\0,9,9\nB\n", 13)),
            (Rows{{"A", "int", "", ""}, {"B", "", "", ""}}));
}

TEST(KeywordFile, MissingFileShowsMessageAndLeavesTableAlone) {
  TempDir dir;
  FakeWindowSystem ws;
  KeywordTable table;
  table.Append({"Kept", "", "", ""});
  EXPECT_FALSE(LoadKeywordFile(table, dir.Path("keyword.txt"), ws));
  ASSERT_EQ(ws.boxes.size(), 1u);
  EXPECT_TRUE(ws.boxes[0].application);
  EXPECT_EQ(ws.boxes[0].text, "Error reading file " + dir.Path("keyword.txt") + " !");
  EXPECT_EQ(table.size(), 1u);
}

TEST(KeywordFile, LoadsKeywordTxtFromTheCurrentDirectoryAndAppends) {
  TempDir dir(/*enter=*/true);
  FakeWindowSystem ws;
  EXPECT_FALSE(LoadKeywordFile(ws));
  ASSERT_EQ(ws.texts(), std::vector<std::string>{"Error reading file keyword.txt !"});
  dir.Write("keyword.txt", "Zeta,string\n");
  const std::size_t before = GlobalKeywordTable().size();
  EXPECT_TRUE(LoadKeywordFile(ws));
  EXPECT_EQ(GlobalKeywordTable().size(), before + 1);
  EXPECT_EQ(GlobalKeywordTable().rows().back().name, "Zeta");
}

TEST(NextField, CutsAtTheSeparator) {
  std::string line = " a , b ,c ";
  EXPECT_EQ(NextField(&line, ","), "a");
  EXPECT_EQ(line, "b ,c");
  EXPECT_EQ(NextField(&line, ","), "b");
  EXPECT_EQ(NextField(&line, ","), "c");
  EXPECT_EQ(line, "");
  EXPECT_EQ(NextField(&line, ","), "");
  std::string multi = "x::y";
  EXPECT_EQ(NextField(&multi, "::"), "x");
  EXPECT_EQ(multi, "y");
}

TEST(KeywordTable, FirstRowWinsWithAsciiCaseIgnored) {
  KeywordTable table;
  table.Append({"Timeout", "int", "1", "60"});
  table.Append({"TIMEOUT", "bool", "", ""});
  table.Append({"", "string", "", ""});
  table.Append({"Caf\xC9", "string", "", ""});
  KeywordDef row;
  ASSERT_TRUE(FindKeyword(table, "timeout", &row));
  EXPECT_EQ(row, (KeywordDef{"Timeout", "int", "1", "60"}));
  ASSERT_TRUE(FindKeyword(table, "TIMEOUT", &row));
  EXPECT_EQ(row.type, "int");
  ASSERT_TRUE(FindKeyword(table, "", &row));
  EXPECT_EQ(row.type, "string");
  // Only ASCII letters fold: 0xE9 is not the small form of 0xC9.
  EXPECT_FALSE(FindKeyword(table, "caf\xE9", &row));
  KeywordDef untouched{"u", "v", "w", "x"};
  EXPECT_FALSE(FindKeyword(table, "Timeout ", &untouched));
  EXPECT_EQ(untouched, (KeywordDef{"u", "v", "w", "x"}));
  EXPECT_EQ(table.size(), 4u);  // duplicates are kept and listed
}

TEST(KeywordTable, LargeTablesFindTheFirstRowOfEveryFoldedName) {
  // Names of every length around the eight-byte words the index hashes,
  // with capitals, high bytes and the characters next to 'A' and 'Z'.
  KeywordTable table, bulk;
  std::vector<std::string> names;
  std::vector<KeywordDef> rows;
  const std::string alphabet = "@AZ[`az{\x80\xC1\xE1_0";
  for (int i = 0; i < 3000; ++i) {
    std::string name;
    unsigned v = static_cast<unsigned>(i);
    for (int n = i % 19; n > 0; --n, v = v * 7 + 3) name += alphabet[v % alphabet.size()];
    names.push_back(name);
    table.Append({name, std::to_string(i), "", ""});
    rows.push_back({name, std::to_string(i), "", ""});
  }
  bulk.Append({"first", "", "", ""});  // rows already there stay in front
  bulk.AppendAll(rows);
  for (std::size_t i = 0; i < names.size(); ++i) {
    const KeywordDef* found = table.Find(FoldAsciiCase(names[i]));
    ASSERT_NE(found, nullptr) << i;
    // The first row whose name folds to the same text.
    std::size_t first = 0;
    while (!EqualsIgnoreAsciiCase(names[first], names[i])) ++first;
    EXPECT_EQ(found->type, std::to_string(first)) << i;
    ASSERT_NE(bulk.Find(names[i]), nullptr) << i;
    EXPECT_EQ(bulk.Find(names[i])->type, std::to_string(first)) << i;
  }
  EXPECT_EQ(bulk.size(), names.size() + 1);
  EXPECT_EQ(bulk.rows()[1], rows[0]);
  EXPECT_EQ(table.Find(std::string(25, '\xC1')), nullptr);
  EXPECT_EQ(table.size(), names.size());
}

}  // namespace
}  // namespace tarvex
