#include "cipher/line_cipher_reader.h"

#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/file_ops.h"
#include "platform/regular_file.h"

namespace tarvex {
namespace {
constexpr std::size_t kBlockSize = 256 * 1024;
constexpr const char* kFallbackName = "Policy.bin";
// A file this large is deciphered on a second thread: below it, starting
// the thread costs about what it saves.
constexpr long long kAheadFrom = 1024 * 1024;
// Blocks deciphered and waiting at most: the memory stays small whatever
// the file's size.
constexpr std::size_t kBlocksAhead = 3;
}  // namespace

// Deciphers the file a block at a time on its own thread. The reader's
// thread reads the blocks (the deciphering thread's chain of steps is the
// slower part, and reading would only lengthen it) and hands each buffer
// back for the next block once its lines are taken. The cipher is the
// deciphering thread's alone until it has met the end of the file.
class LineCipherReader::Ahead {
 public:
  Ahead(std::FILE* file, LineCipher& cipher) : file_(file), cipher_(cipher) {
    for (std::size_t i = 0; i < kBlocksAhead; ++i) {
      ReadInto(std::make_unique_for_overwrite<uint8_t[]>(kBlockSize));
    }
    thread_ = std::thread([this] { Run(); });  // may throw std::system_error
  }

  ~Ahead() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }

  // The next deciphered block in `*block` (its size in `*size`, 0 at the
  // end); `*block`'s previous buffer, if any, is filled again first.
  void Next(std::unique_ptr<uint8_t[]>* block, std::size_t* size) {
    if (*block) ReadInto(std::move(*block));
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !deciphered_.empty() || ended_; });
    if (deciphered_.empty()) {
      *size = 0;
      return;
    }
    *block = std::move(deciphered_.front().bytes);
    *size = deciphered_.front().size;
    deciphered_.pop_front();
  }

 private:
  struct Block {
    std::unique_ptr<uint8_t[]> bytes;
    std::size_t size;
  };

  // Reads the next block into `bytes` and queues it for deciphering; at the
  // end of the file (or a read error) the buffer is dropped.
  void ReadInto(std::unique_ptr<uint8_t[]> bytes) {
    if (readEnded_) return;
    const std::size_t n = std::fread(bytes.get(), 1, kBlockSize, file_);
    std::lock_guard<std::mutex> lock(mutex_);
    if (n == 0) {
      readEnded_ = true;  // the end, or a read error: both end the file
    } else {
      read_.push_back({std::move(bytes), n});
    }
    changed_.notify_all();
  }

  void Run() {
    for (;;) {
      Block block;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return !read_.empty() || readEnded_ || stop_; });
        if (stop_ || read_.empty()) break;
        block = std::move(read_.front());
        read_.pop_front();
      }
      cipher_.DecipherBytes(block.bytes.get(), block.size, block.bytes.get());
      {
        std::lock_guard<std::mutex> lock(mutex_);
        deciphered_.push_back(std::move(block));
      }
      changed_.notify_all();
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      ended_ = true;
    }
    changed_.notify_all();
  }

  std::FILE* file_;
  LineCipher& cipher_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Block> read_;        // read, to be deciphered
  std::deque<Block> deciphered_;  // deciphered, to be handed out
  bool readEnded_ = false;        // the reader's thread only, but read under the lock
  bool ended_ = false;            // the deciphering thread has stopped
  bool stop_ = false;
  std::thread thread_;
};

LineCipherReader::LineCipherReader() = default;

LineCipherReader::~LineCipherReader() {
  Close();
}

bool LineCipherReader::OpenBinary(const std::string& name) {
  ahead_.reset();
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  std::string path = name;
  if (path.empty()) {
    std::optional<std::string> full = FullPath(kFallbackName);
    if (!full) {
      cipher_.Wipe();
      return false;
    }
    path = *full;
  }
  file_ = OpenRegularFile(path);
  if (file_ == nullptr) {
    cipher_.Wipe();
    return false;
  }
  buffer_.reset();
  pos_ = len_ = 0;
  if (FileSizeHint(path) >= kAheadFrom) {
    try {
      ahead_ = std::make_unique<Ahead>(file_, cipher_);
    } catch (const std::system_error&) {
      // No second thread to be had: the blocks are deciphered as they are read.
    }
  }
  if (!ahead_) buffer_ = std::make_unique_for_overwrite<uint8_t[]>(kBlockSize);
  return true;
}

bool LineCipherReader::Fill() {
  if (file_ == nullptr) return false;
  pos_ = 0;
  if (ahead_) {
    ahead_->Next(&buffer_, &len_);
    return len_ > 0;
  }
  len_ = std::fread(buffer_.get(), 1, kBlockSize, file_);
  // A whole block in one call: the fast form converts the state once per
  // block instead of once per line.
  cipher_.DecipherBytes(buffer_.get(), len_, buffer_.get());
  return len_ > 0;
}

bool LineCipherReader::ReadLine(std::string* line) {
  for (;;) {
    if (pos_ == len_ && !Fill()) return false;
    const uint8_t* start = buffer_.get() + pos_;
    const void* lineFeed = std::memchr(start, '\n', len_ - pos_);
    const std::size_t n =
        lineFeed != nullptr ? static_cast<const uint8_t*>(lineFeed) - start + 1 : len_ - pos_;
    line->append(reinterpret_cast<const char*>(start), n);
    pos_ += n;
    if (lineFeed != nullptr) return true;
  }
}

bool LineCipherReader::ReadBlock(std::string_view* bytes) {
  if (pos_ == len_ && !Fill()) return false;
  *bytes = std::string_view(reinterpret_cast<const char*>(buffer_.get()) + pos_, len_ - pos_);
  pos_ = len_;
  return true;
}

void LineCipherReader::Close() {
  ahead_.reset();  // the thread ends before the file closes
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  buffer_.reset();
  pos_ = len_ = 0;
  cipher_.Wipe();
}

}  // namespace tarvex
