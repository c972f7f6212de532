// Reading a file on a second thread while the program does other work.
//
// tarvexc loads the keyword dictionary before it reads the source; both
// reads mostly wait on fresh memory, so side by side the dictionary costs
// next to nothing.
#ifndef TARVEX_CLI_FILE_READ_AHEAD_H_
#define TARVEX_CLI_FILE_READ_AHEAD_H_

#include <string>
#include <thread>

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
  // bytes read then; else a read now.
  bool Read(const std::string& path, std::string* bytes);

 private:
  void Wait();

  std::string path_;
  std::thread reader_;
  bool taken_ = false;
  bool ok_ = false;
  std::string bytes_;
};

}  // namespace tarvex

#endif  // TARVEX_CLI_FILE_READ_AHEAD_H_
