#include "shell/file_errors.h"

#include "platform/message_format.h"
#include "platform/resource_ids.h"

namespace tarvex::shell {
namespace {

FileErrorMessage Make(int id, const std::string& path) {
  return {id, FormatMessage(id, {path})};
}

}  // namespace

FileErrorMessage ReadOpenFailure(const std::string& path, const PathFacts& facts) {
  if (!facts.exists) return Make(facts.folderExists ? IDP_FILE_NOT_FOUND : IDP_FILE_BAD_PATH, path);
  if (facts.isFolder || !facts.readable) return Make(IDP_FILE_ACCESS_DENIED, path);
  return Make(IDP_FAILED_TO_OPEN_DOC, path);
}

FileErrorMessage WriteOpenFailure(const std::string& path, const PathFacts& facts) {
  if (!facts.folderExists) return Make(IDP_FILE_BAD_PATH, path);
  if (facts.isFolder || (facts.exists && !facts.writable) || !facts.folderWritable) {
    return Make(IDP_FILE_ACCESS_DENIED, path);
  }
  return Make(IDP_INVALID_FILENAME, path);
}

FileErrorMessage WriteFailure(const std::string& path, bool noRoom) {
  return Make(noRoom ? IDP_FILE_DISK_FULL : IDP_FAILED_TO_SAVE_DOC, path);
}

FileErrorMessage ShortRead(const std::string& path) {
  return Make(IDP_UNEXPECTED_FILE_FORMAT, path);
}

}  // namespace tarvex::shell
