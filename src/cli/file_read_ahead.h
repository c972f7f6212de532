// Reading a file on a second thread while the program does other work.
//
// tarvexc loads the keyword dictionary before it reads the source; beside
// a large dictionary's load, reading the source takes no time of its own.
// The file is read in pieces that both threads take in turn: the second
// thread from the start, the program's own once it asks for the file (when
// the load outlasted the reading, never). Most of reading is the system
// copying and handing out pages, which two processors share.
#ifndef TARVEX_CLI_FILE_READ_AHEAD_H_
#define TARVEX_CLI_FILE_READ_AHEAD_H_

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/file_text.h"
#include "platform/side_thread.h"

namespace tarvex {

class FileReadAhead {
 public:
  // Starts reading the regular file at `path` (as ReadRegularFile does)
  // while the program loads a dictionary of `dictionaryBytes` bytes, where
  // that pays: a thread costs about a tenth of a millisecond to start and
  // to hand its work back, which a small dictionary's load does not cover,
  // nor two threads' reading of a file of a megabyte or so. A file not
  // read ahead, or without a second thread to be had, is read when asked
  // for.
  FileReadAhead(std::string path, long long dictionaryBytes);
  ~FileReadAhead();
  FileReadAhead(const FileReadAhead&) = delete;
  FileReadAhead& operator=(const FileReadAhead&) = delete;

  // ReadRegularFile of `path`: the first time for the path read ahead, the
  // bytes read then (the pieces left read now, beside the thread); else a
  // read now.
  bool Read(const std::string& path, FileText* text);

 private:
  // Reads pieces until none is left to take.
  void ReadPieces();
  void Finish();

  std::string path_;
  std::FILE* file_ = nullptr;  // open while the pieces are read
  SideThread reader_;
  bool taken_ = false;
  FileText text_;
  // Pieces of kPiece bytes over the buffer, or none for one read by the
  // thread; each one's count of bytes read, written by its reader.
  std::vector<std::size_t> pieceRead_;
  std::atomic<std::size_t> nextPiece_{0};
};

}  // namespace tarvex

#endif  // TARVEX_CLI_FILE_READ_AHEAD_H_
