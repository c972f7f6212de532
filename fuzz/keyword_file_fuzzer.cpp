// LoadKeywordFile on arbitrary bytes: every line piece that is not a
// comment becomes exactly the row the keyword file's rules give, and a
// lookup by name finds the first row of that name, whatever its case, with
// the rule of that row's fields.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "keywords/ascii_case.h"
#include "keywords/keyword_file.h"
#include "keywords/keyword_rule.h"
#include "keywords/keyword_table.h"
#include "platform/fake_window_system.h"

namespace tarvex::fuzz {
namespace {

// A row as the rules give it, owning its fields.
struct Row {
  std::string name, type, minimum, maximum;
  bool operator==(const KeywordDef& def) const {
    return name == def.name && type == def.type && minimum == def.minimum && maximum == def.maximum;
  }
};

// The row of one piece, cut at every comma, from the rules alone.
bool ModelRow(const std::string& piece, Row* row) {
  const std::string line = StripLeadingBlanks(piece);
  if (!line.empty() && line[0] == ';') return false;
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = line.find(',', start);
    fields.push_back(StripBlanks(line.substr(start, comma - start)));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  fields.resize(std::max<std::size_t>(fields.size(), 4));
  *row = {fields[0], fields[1], fields[2], fields[3]};
  return true;
}

std::string SwapCase(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 32);
    } else if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c + 32);
    }
  }
  return s;
}

}  // namespace
}  // namespace tarvex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace tarvex;
  using namespace tarvex::fuzz;
  InScratchFolder here;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string path = ScratchFolder::Get().Write("keyword.txt", bytes);

  FakeWindowSystem ws;
  KeywordTable table;
  FUZZ_CHECK(LoadKeywordFile(table, path, ws));
  FUZZ_CHECK(ws.boxes.empty());

  std::vector<Row> expected;
  for (const std::string& piece : ModelPieces(bytes, /*textMode=*/true)) {
    Row row;
    if (ModelRow(piece, &row)) expected.push_back(row);
  }
  const std::vector<KeywordDef> rows = table.rows();
  FUZZ_CHECK(rows.size() == expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) FUZZ_CHECK(expected[i] == rows[i]);

  std::map<std::string, std::size_t> first;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const Row& row = expected[i];
    FUZZ_CHECK(ContainsNoBlankAtEitherEnd(row.name) && ContainsNoBlankAtEitherEnd(row.type) &&
               ContainsNoBlankAtEitherEnd(row.minimum) && ContainsNoBlankAtEitherEnd(row.maximum));
    first.emplace(FoldAsciiCase(row.name), i);
  }
  for (const auto& [folded, index] : first) {
    const std::string& name = expected[index].name;
    FUZZ_CHECK(table.FindIndex(name) == index);
    FUZZ_CHECK(table.FindIndex(SwapCase(name)) == index);
    FUZZ_CHECK(!table.Find(name + " "));  // names never end in a blank
    KeywordDef copy{"untouched", "", "", ""};
    FUZZ_CHECK(FindKeyword(table, name, &copy) && copy == expected[index]);
    // The rule the index keeps is the rule of the row's fields.
    KeywordRule rule;
    FUZZ_CHECK(table.FindRule(SwapCase(name), &rule));
    const KeywordRule want = RuleOfRow(copy);
    FUZZ_CHECK(rule.type == want.type && rule.minimum == want.minimum &&
               rule.maximum == want.maximum);
  }
  KeywordDef untouched{"untouched", "a", "b", "c"};
  const std::string absent = std::string(bytes.substr(0, 40)) + "\001absent";
  if (first.count(FoldAsciiCase(absent)) == 0) {
    FUZZ_CHECK(!FindKeyword(table, absent, &untouched));
    FUZZ_CHECK(untouched.name == "untouched");
  }
  return 0;
}
