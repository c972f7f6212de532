// JSON-RPC message framing over a byte stream, as the Language Server
// Protocol sends it: "Content-Length: N" header lines, an empty line, then
// N bytes of body. Knows nothing of what the bodies mean.
#ifndef TARVEX_LSP_TRANSPORT_H_
#define TARVEX_LSP_TRANSPORT_H_

#include <cstddef>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace tarvex::lsp {

// A body larger than this is taken for a broken header, not for a message.
inline constexpr std::size_t kMaxBodyBytes = 64u << 20;

enum class ReadStatus {
  kMessage,  // a whole body was read
  kEnd,      // the input ended cleanly between two messages
  kBroken,   // the framing is broken; `error` says how. Nothing more can be read.
};

class Transport {
 public:
  Transport(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

  // Reads the next message's body into `*body`.
  ReadStatus Read(std::string* body);

  // Writes one message with its header, and flushes.
  void Write(std::string_view body);

  // What broke the framing, after Read returned kBroken.
  const std::string& error() const { return error_; }

 private:
  ReadStatus Broken(std::string what);

  std::istream& in_;
  std::ostream& out_;
  std::string error_;
};

}  // namespace tarvex::lsp

#endif  // TARVEX_LSP_TRANSPORT_H_
