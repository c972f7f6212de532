// Where enciphered or converted bytes go.
#ifndef TARVEX_PLATFORM_BYTE_SINK_H_
#define TARVEX_PLATFORM_BYTE_SINK_H_

#include <string>
#include <string_view>

namespace tarvex {

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Appends `bytes`; false when they could not all be written. After a
  // failure a sink may refuse everything that follows.
  virtual bool Write(std::string_view bytes) = 0;
};

// A sink that collects the bytes in memory (for tests and in-memory work).
class StringSink : public ByteSink {
 public:
  bool Write(std::string_view bytes) override {
    bytes_.append(bytes);
    return true;
  }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

}  // namespace tarvex

#endif  // TARVEX_PLATFORM_BYTE_SINK_H_
