// The message that tells the user why a document could not be read or
// saved, picked from the file-error texts by what the file system says
// about the path. Each shell gathers the facts its own way; the choice of
// message is the same on both.
#ifndef TARVEX_SHELL_FILE_ERRORS_H_
#define TARVEX_SHELL_FILE_ERRORS_H_

#include <string>

namespace tarvex::shell {

struct FileErrorMessage {
  int id;            // the string-table id, 61696 and up
  std::string text;  // formatted with the path for %1
};

// What the file system says about a path and its folder.
struct PathFacts {
  bool exists = false;
  bool isFolder = false;
  bool readable = false;  // the current user may read it
  bool writable = false;  // the current user may write it
  bool folderExists = false;
  bool folderWritable = false;
};

// `path` could not be opened for reading.
FileErrorMessage ReadOpenFailure(const std::string& path, const PathFacts& facts);

// `path` could not be created or opened for writing.
FileErrorMessage WriteOpenFailure(const std::string& path, const PathFacts& facts);

// Writing to `path` failed part-way (`noRoom`: the system said there is no
// room: a full disk, a quota, a size limit), or the finished file could not
// be put in place.
FileErrorMessage WriteFailure(const std::string& path, bool noRoom);

// `path` ended before all of its bytes had been read.
FileErrorMessage ShortRead(const std::string& path);

}  // namespace tarvex::shell

#endif  // TARVEX_SHELL_FILE_ERRORS_H_
