#include "qt/file_errors.h"

#include <QFileInfo>

#include "platform/message_format.h"
#include "platform/resource_ids.h"
#include "qt/text_codec.h"

namespace tarvex::qt {
namespace {

FileErrorMessage Make(int id, const QString& path) {
  return {id, FormatMessage(id, {ToPath(path)})};
}

bool FolderMissing(const QFileInfo& file) {
  const QFileInfo folder(file.absolutePath());
  return !folder.exists() || !folder.isDir();
}

}  // namespace

FileErrorMessage ReadOpenFailure(const QString& path) {
  const QFileInfo file(path);
  if (!file.exists()) {
    return Make(FolderMissing(file) ? IDP_FILE_BAD_PATH : IDP_FILE_NOT_FOUND, path);
  }
  if (file.isDir() || !file.isReadable()) return Make(IDP_FILE_ACCESS_DENIED, path);
  return Make(IDP_FAILED_TO_OPEN_DOC, path);
}

FileErrorMessage WriteOpenFailure(const QString& path) {
  const QFileInfo file(path);
  if (FolderMissing(file)) return Make(IDP_FILE_BAD_PATH, path);
  if (file.isDir() || (file.exists() && !file.isWritable()) ||
      !QFileInfo(file.absolutePath()).isWritable()) {
    return Make(IDP_FILE_ACCESS_DENIED, path);
  }
  return Make(IDP_INVALID_FILENAME, path);
}

FileErrorMessage WriteFailure(const QString& path, QFileDevice::FileError error) {
  // A write that stops part-way on a regular file means no room: a full
  // disk, a quota or a file-size limit.
  if (error == QFileDevice::WriteError || error == QFileDevice::ResourceError) {
    return Make(IDP_FILE_DISK_FULL, path);
  }
  return Make(IDP_FAILED_TO_SAVE_DOC, path);
}

FileErrorMessage ShortRead(const QString& path) {
  return Make(IDP_UNEXPECTED_FILE_FORMAT, path);
}

}  // namespace tarvex::qt
