// The message that tells the user why a document could not be read or
// saved, picked from the framework's file-error texts by what the file
// system says about the path.
#ifndef TARVEX_QT_FILE_ERRORS_H_
#define TARVEX_QT_FILE_ERRORS_H_

#include <QFileDevice>
#include <QString>
#include <string>

namespace tarvex::qt {

struct FileErrorMessage {
  int id;            // the string-table id, 61696 and up
  std::string text;  // formatted with the path for %1
};

// `path` could not be opened for reading.
FileErrorMessage ReadOpenFailure(const QString& path);

// `path` could not be created or opened for writing.
FileErrorMessage WriteOpenFailure(const QString& path);

// Writing to `path` failed part-way, or the finished file could not be put
// in place; `error` is what the file device reported.
FileErrorMessage WriteFailure(const QString& path, QFileDevice::FileError error);

// `path` ended before all of its bytes had been read.
FileErrorMessage ShortRead(const QString& path);

}  // namespace tarvex::qt

#endif  // TARVEX_QT_FILE_ERRORS_H_
