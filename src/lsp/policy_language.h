// What the language server knows of policy sources, free of the protocol:
// the faults of a text, the keywords to complete and a keyword's hover.
// Offsets are byte offsets in the text; texts are bytes of code page 1252.
#ifndef TARVEX_LSP_POLICY_LANGUAGE_H_
#define TARVEX_LSP_POLICY_LANGUAGE_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keywords/keyword_table.h"

namespace tarvex::lsp {

struct Fault {
  std::size_t start = 0, end = 0;      // Generate's selection
  int id = 0;                          // the message's string-table id
  std::string firstLine;               // the message's first line
  std::vector<std::string> moreLines;  // its other lines
};

// Every fault of `text`, in order, as Generate would report each.
std::vector<Fault> FaultsOf(std::string_view text, const KeywordTable& table);

struct Completion {
  std::string label;   // the keyword as the dictionary writes it
  std::string detail;  // its type and range
};

// The keywords that may be written at `offset`: those starting with what is
// already written of the keyword (ASCII case ignored), each name once. None
// outside the keyword part of an entry.
std::vector<Completion> CompletionsAt(std::string_view text, std::size_t offset,
                                      const KeywordTable& table);

struct HoverInfo {
  std::size_t start = 0, end = 0;  // the keyword in the text
  std::string text;                // "Name: type, range"
};

// The description of the keyword under `offset`, when the dictionary knows it.
std::optional<HoverInfo> HoverAt(std::string_view text, std::size_t offset,
                                 const KeywordTable& table);

}  // namespace tarvex::lsp

#endif  // TARVEX_LSP_POLICY_LANGUAGE_H_
