#include <gtest/gtest.h>

#include "keywords/ascii_case.h"
#include "keywords/keyword_file.h"
#include "keywords/keyword_table.h"
#include "platform/fake_window_system.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {
using testing::TempDir;

// A row that owns its fields, to outlive the table it came from.
struct OwnedRow {
  std::string name, type, minimum, maximum;
  friend bool operator==(const OwnedRow&, const OwnedRow&) = default;
  friend std::ostream& operator<<(std::ostream& out, const OwnedRow& r) {
    return out << '{' << r.name << '|' << r.type << '|' << r.minimum << '|' << r.maximum << '}';
  }
};
using Rows = std::vector<OwnedRow>;
const OwnedRow kEmptyRow;

Rows Load(const std::string& bytes) {
  TempDir dir;
  FakeWindowSystem ws;
  KeywordTable table;
  EXPECT_TRUE(LoadKeywordFile(table, dir.Write("keyword.txt", bytes), ws));
  EXPECT_TRUE(ws.boxes.empty());
  Rows rows;
  for (const KeywordDef& r : table.rows()) {
    rows.push_back(
        {std::string(r.name), std::string(r.type), std::string(r.minimum), std::string(r.maximum)});
  }
  return rows;
}

TEST(KeywordFile, CutsEachLineIntoFourTrimmedFields) {
  struct Case {
    const char* name;
    std::string line;
    OwnedRow row;
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
  std::string bytes;  // the same rows as lines, for rows that view kept bytes
  const std::string alphabet = "@AZ[`az{\x80\xC1\xE1_0";
  for (int i = 0; i < 3000; ++i) {
    std::string name;
    unsigned v = static_cast<unsigned>(i);
    for (int n = i % 19; n > 0; --n, v = v * 7 + 3) name += alphabet[v % alphabet.size()];
    names.push_back(name);
    table.Append({name, std::to_string(i), "", ""});
    bytes += name + "," + std::to_string(i) + "\n";
  }
  bulk.Append({"first", "", "", ""});  // rows already there stay in front
  std::string_view kept = bulk.Keep(std::move(bytes));
  KeywordTable::KeptLines lines = bulk.NewKeptLines();
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::size_t end = kept.find('\n');
    lines.push_back(KeywordTable::KeptLine::Of(kept.substr(0, end)));
    kept.remove_prefix(end + 1);
  }
  bulk.AppendKeptLines(std::move(lines));
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::optional<KeywordDef> found = table.Find(FoldAsciiCase(names[i]));
    ASSERT_TRUE(found) << i;
    // The first row whose name folds to the same text.
    std::size_t first = 0;
    while (!EqualsIgnoreAsciiCase(names[first], names[i])) ++first;
    EXPECT_EQ(found->type, std::to_string(first)) << i;
    ASSERT_TRUE(bulk.Find(names[i])) << i;
    EXPECT_EQ(bulk.Find(names[i])->type, std::to_string(first)) << i;
  }
  EXPECT_EQ(bulk.size(), names.size() + 1);
  EXPECT_EQ(bulk.row(1), table.row(0));
  // A copy owns its bytes: it outlives the original.
  KeywordTable copy = bulk;
  bulk.Clear();
  ASSERT_TRUE(copy.Find("first"));
  EXPECT_EQ(copy.row(1), table.row(0));
  EXPECT_EQ(copy.size(), names.size() + 1);
  EXPECT_FALSE(table.Find(std::string(25, '\xC1')));
  EXPECT_EQ(table.size(), names.size());
  // A cleared table, and one moved from, take rows again.
  ASSERT_TRUE(bulk.Append({"again", "int", "1", "2"}));
  KeywordTable moved = std::move(table);
  ASSERT_TRUE(table.Append({"again", "bool", "", ""}));
  EXPECT_EQ(bulk.Find("AGAIN")->type, "int");
  EXPECT_EQ(table.Find("again")->type, "bool");
  EXPECT_EQ(moved.size(), names.size());
}

TEST(KeywordFile, ALargeDictionaryLoadsWholeIntoTheTablesOwnMemory) {
  // Over a megabyte: the file, its lines and the index share large blocks.
  std::string bytes = "; generated\r\n";
  const int kRows = 40000;
  for (int i = 0; i < kRows; ++i) {
    bytes += "Setting" + std::to_string(i) + (i % 2 ? " , Int , -5 , " : ",string,,") +
             std::to_string(i) + (i % 3 ? "\n" : "\r\n");
  }
  bytes += "Setting7,bool,,";  // a later duplicate, no line feed at the end
  TempDir dir;
  KeywordTable table;
  ASSERT_TRUE(ReadKeywordFile(table, dir.Write("keyword.txt", bytes)));
  ASSERT_EQ(table.size(), kRows + 1u);
  for (int i = 0; i < kRows; ++i) {
    KeywordRule rule;
    ASSERT_TRUE(table.FindRule("SETTING" + std::to_string(i), &rule)) << i;
    EXPECT_EQ(rule.type, i % 2 ? ValueType::kInt : ValueType::kString) << i;
    EXPECT_EQ(rule.maximum, i % 2 ? i : 0) << i;
  }
  EXPECT_EQ(table.row(kRows).type, "bool");
  EXPECT_EQ(table.Find("setting7")->type, "Int");
}

TEST(KeywordTable, AppendTakesOnlyRowsALineCouldGive) {
  // The table keeps a row as its line, so a row no line gives is refused
  // rather than read back as another; so is a name longer than the index
  // holds.
  const std::string tooLong(KeywordTable::kLongestName, 'n');
  const KeywordDef refused[] = {
      {"A,B", "int", "", ""},   {"A", "in,t", "", ""}, {"A", "int", "1,", ""},
      {"A", "int", "1", "2,3"}, {" A", "", "", ""},    {"A", "int\t", "", ""},
      {";A", "", "", ""},       {tooLong, "", "", ""},
  };
  KeywordTable table;
  for (const KeywordDef& row : refused) EXPECT_FALSE(table.Append(row)) << row.name;
  EXPECT_TRUE(table.empty());
  const KeywordDef kept[] = {
      {"", "", "", ""}, {"A;B", "i n t", "-1", "x y"}, {"\xE9", "", "", "9"}};
  for (const KeywordDef& row : kept) ASSERT_TRUE(table.Append(row));
  for (std::size_t i = 0; i < std::size(kept); ++i) EXPECT_EQ(table.row(i), kept[i]);
}

}  // namespace
}  // namespace tarvex
