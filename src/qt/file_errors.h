// The file-error message for a document that could not be read or saved:
// the shell layer's choice (shell/file_errors.h), with the facts about the
// path gathered through Qt.
#ifndef TARVEX_QT_FILE_ERRORS_H_
#define TARVEX_QT_FILE_ERRORS_H_

#include <QFileDevice>
#include <QString>

#include "shell/file_errors.h"

namespace tarvex::qt {

using shell::FileErrorMessage;

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
