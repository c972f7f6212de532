#include "qt/file_errors.h"

#include <QFileInfo>

#include "qt/text_codec.h"

namespace tarvex::qt {
namespace {

shell::PathFacts FactsOf(const QString& path) {
  const QFileInfo file(path);
  const QFileInfo folder(file.absolutePath());
  shell::PathFacts facts;
  facts.exists = file.exists();
  facts.isFolder = file.isDir();
  facts.readable = file.isReadable();
  facts.writable = file.isWritable();
  facts.folderExists = folder.exists() && folder.isDir();
  facts.folderWritable = folder.isWritable();
  return facts;
}

}  // namespace

FileErrorMessage ReadOpenFailure(const QString& path) {
  return shell::ReadOpenFailure(ToPath(path), FactsOf(path));
}

FileErrorMessage WriteOpenFailure(const QString& path) {
  return shell::WriteOpenFailure(ToPath(path), FactsOf(path));
}

FileErrorMessage WriteFailure(const QString& path, QFileDevice::FileError error) {
  // A write that stops part-way on a regular file means no room: a full
  // disk, a quota or a file-size limit.
  return shell::WriteFailure(
      ToPath(path), error == QFileDevice::WriteError || error == QFileDevice::ResourceError);
}

FileErrorMessage ShortRead(const QString& path) {
  return shell::ShortRead(ToPath(path));
}

}  // namespace tarvex::qt
