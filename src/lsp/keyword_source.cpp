#include "lsp/keyword_source.h"

#include "keywords/keyword_file.h"
#include "platform/message_format.h"
#include "platform/resource_ids.h"

namespace tarvex::lsp {

namespace fs = std::filesystem;

const KeywordTable* KeywordSource::For(const std::string& folder, std::string* problem) {
  if (fixedPath_) return Load(fs::path(*fixedPath_), problem);
  std::error_code ec;
  if (!folder.empty()) {
    for (fs::path dir = fs::path(folder);; dir = dir.parent_path()) {
      const fs::path candidate = dir / kKeywordFileName;
      if (fs::is_regular_file(candidate, ec)) return Load(candidate, problem);
      if (!dir.has_relative_path()) break;  // the root: no parent left
    }
  }
  *problem = FormatMessage(IDS_ERROR_READING_FILE, {kKeywordFileName});
  return nullptr;
}

const KeywordTable* KeywordSource::Load(const fs::path& path, std::string* problem) {
  std::error_code ec;
  const std::string key = path.string();
  const auto time = fs::last_write_time(path, ec);
  const std::uintmax_t size = ec ? 0 : fs::file_size(path, ec);
  if (ec) {
    loaded_.erase(key);
    *problem = FormatMessage(IDS_ERROR_READING_FILE, {key});
    return nullptr;
  }
  auto it = loaded_.find(key);
  if (it != loaded_.end() && it->second.time == time && it->second.size == size) {
    return &it->second.table;
  }
  // Read as Tarvex reads keyword.txt.
  Loaded fresh;
  fresh.time = time;
  fresh.size = size;
  if (!ReadKeywordFile(fresh.table, key)) {
    loaded_.erase(key);
    *problem = FormatMessage(IDS_ERROR_READING_FILE, {key});
    return nullptr;
  }
  Loaded& slot = loaded_[key];
  slot = std::move(fresh);
  return &slot.table;
}

}  // namespace tarvex::lsp
