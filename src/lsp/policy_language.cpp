#include "lsp/policy_language.h"

#include <optional>
#include <unordered_set>

#include "checker/all_faults.h"
#include "checker/entry_context.h"
#include "keywords/ascii_case.h"
#include "keywords/keyword_description.h"

namespace tarvex::lsp {

std::vector<Fault> FaultsOf(std::string_view text, const KeywordTable& table) {
  std::vector<Fault> out;
  for (const SourceFault& f : CheckText(text, table)) {
    Fault d;
    d.start = f.selection.start;
    d.end = f.selection.end;
    d.id = f.messageId;
    std::size_t from = 0;
    for (;;) {
      const std::size_t lf = f.message.find('\n', from);
      std::string line = f.message.substr(from, lf == std::string::npos ? lf : lf - from);
      if (from == 0) {
        d.firstLine = std::move(line);
      } else {
        d.moreLines.push_back(std::move(line));
      }
      if (lf == std::string::npos) break;
      from = lf + 1;
    }
    out.push_back(std::move(d));
  }
  return out;
}

std::vector<Completion> CompletionsAt(std::string_view text, std::size_t offset,
                                      const KeywordTable& table) {
  std::vector<Completion> out;
  const EntryContext c = EntryContextAt(text, offset);
  if (c.where != EntryContext::Where::kKeyword) return out;
  std::unordered_set<std::string> seen;
  for (const KeywordDef& row : table.rows()) {
    if (row.name.empty() || row.name.size() < c.prefix.size()) continue;
    if (!EqualsIgnoreAsciiCase(std::string_view(row.name).substr(0, c.prefix.size()), c.prefix)) {
      continue;
    }
    // A later duplicate is never found by name, so it is offered once.
    if (!seen.insert(FoldAsciiCase(row.name)).second) continue;
    out.push_back({std::string(row.name), DescribeKeywordType(row)});
  }
  return out;
}

std::optional<HoverInfo> HoverAt(std::string_view text, std::size_t offset,
                                 const KeywordTable& table) {
  const EntryContext c = EntryContextAt(text, offset);
  if (c.where == EntryContext::Where::kOther || c.keyword.empty()) return std::nullopt;
  if (offset < c.keywordStart || offset > c.keywordEnd) return std::nullopt;
  const std::optional<KeywordDef> row = table.Find(c.keyword);
  if (!row) return std::nullopt;
  return HoverInfo{c.keywordStart, c.keywordEnd, DescribeKeyword(*row)};
}

}  // namespace tarvex::lsp
