// Reading a file on a second thread while the program does other work.
//
// tarvexc loads the keyword dictionary before it reads the source; both
// reads mostly wait on fresh memory, so side by side the dictionary costs
// next to nothing. A large file is read in two halves at once, one on each
// thread: most of reading it is the system handing out fresh pages, which
// two processors do twice as fast.
#ifndef TARVEX_CLI_FILE_READ_AHEAD_H_
#define TARVEX_CLI_FILE_READ_AHEAD_H_

#include <cstdio>
#include <string>
#include <thread>

#include "platform/file_text.h"

namespace tarvex {

class FileReadAhead {
 public:
  // Starts reading the regular file at `path` (as ReadRegularFile does).
  // A small file, or one without a second thread to be had, is read when
  // asked for.
  explicit FileReadAhead(std::string path);
  ~FileReadAhead();
  FileReadAhead(const FileReadAhead&) = delete;
  FileReadAhead& operator=(const FileReadAhead&) = delete;

  // ReadRegularFile of `path`: the first time for the path read ahead, the
  // bytes read then (the first half now, beside the thread reading the
  // second); else a read now.
  bool Read(const std::string& path, FileText* text);

 private:
  void Finish();

  std::string path_;
  std::FILE* file_ = nullptr;  // open while the halves are read
  std::thread reader_;
  bool taken_ = false;
  FileText text_;
  std::size_t half_ = 0;        // the first half's length, or 0 for one read
  std::size_t secondRead_ = 0;  // bytes the thread read of the second half
};

}  // namespace tarvex

#endif  // TARVEX_CLI_FILE_READ_AHEAD_H_
