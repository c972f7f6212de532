// Where the language server finds the keyword dictionary: the path given
// on the command line, else "keyword.txt" in the document's folder or the
// nearest parent folder that has one. A dictionary is read again when its
// file changes (time or size).
#ifndef TARVEX_LSP_KEYWORD_SOURCE_H_
#define TARVEX_LSP_KEYWORD_SOURCE_H_

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "keywords/keyword_table.h"

namespace tarvex::lsp {

class KeywordSource {
 public:
  explicit KeywordSource(std::optional<std::string> fixedPath) : fixedPath_(std::move(fixedPath)) {}

  // The dictionary for a document in `folder` (empty when the document has
  // no folder on disk), or nullptr when none can be read; then `*problem`
  // is the message to show (cp1252 bytes).
  const KeywordTable* For(const std::string& folder, std::string* problem);

 private:
  struct Loaded {
    KeywordTable table;
    std::filesystem::file_time_type time;
    std::uintmax_t size = 0;
  };
  const KeywordTable* Load(const std::filesystem::path& path, std::string* problem);

  std::optional<std::string> fixedPath_;
  std::map<std::string, Loaded> loaded_;
};

}  // namespace tarvex::lsp

#endif  // TARVEX_LSP_KEYWORD_SOURCE_H_
