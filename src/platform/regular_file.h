// Opening the files Tarvex reads: sources, the keyword dictionary, key
// files and policy binaries.
#ifndef TARVEX_PLATFORM_REGULAR_FILE_H_
#define TARVEX_PLATFORM_REGULAR_FILE_H_

#include <cstdio>
#include <string>

#include "platform/file_text.h"

namespace tarvex {

// Opens `path` for binary reading when it is a regular file, directly or
// through a symbolic link. Nothing for a folder, a FIFO, a device (such as
// /dev/zero) or a path that cannot be opened, so that each caller reports
// such a file as it reports an unreadable one; opening a FIFO never waits
// for a writer. The caller closes the file with std::fclose.
std::FILE* OpenRegularFile(const std::string& path);

// The size of the file at `path` as the system states it, or -1 when it
// cannot be had. Only a hint: the file may change before it is read.
long long FileSizeHint(const std::string& path);

// Reads the whole of the regular file at `path` into `*bytes` (replacing
// its contents) in a few large reads, the file closed on return. False,
// with `*bytes` empty, when OpenRegularFile refuses the path. A read error
// counts as the end of the file, as it does for a reader taking pieces.
bool ReadRegularFile(const std::string& path, std::string* bytes);
bool ReadRegularFile(const std::string& path, FileText* text);

// Reads from the open file `file` until its end, appending to `*text`:
// what ReadRegularFile does once the file is open. Closes nothing.
void ReadToEnd(std::FILE* file, FileText* text);

}  // namespace tarvex

#endif  // TARVEX_PLATFORM_REGULAR_FILE_H_
