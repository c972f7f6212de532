#include "shell/document_rules.h"

#include "platform/message_format.h"
#include "platform/resource_ids.h"
#include "shell/frame_tables.h"

namespace tarvex::shell {

std::string DocumentTitle(const std::string& fileName) {
  return fileName.empty() ? std::string(kUntitled) : fileName;
}

std::string FrameTitle(const std::string& documentTitle) {
  return documentTitle + " - " + DocumentStringField(0);
}

std::string EmbeddedTitle(const std::string& objectName) {
  return FormatMessage(IDS_OBJ_TITLE_INPLACE, {DocumentStringField(2), objectName});
}

std::string ProposedSaveName(const std::string& path, const std::string& title) {
  if (!path.empty()) return path;
  return title.substr(0, title.find_first_of(" #%;/\\")) + DocumentStringField(4);
}

std::string UnquotePath(const std::string& given) {
  if (given.empty() || given[0] != '"') return given;
  std::string path = given.substr(1);
  const std::size_t lastQuote = path.rfind('"');
  if (lastQuote != std::string::npos) path.resize(lastQuote);
  return path;
}

}  // namespace tarvex::shell
