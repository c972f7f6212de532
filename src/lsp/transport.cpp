#include "lsp/transport.h"

#include <limits>

#include "keywords/ascii_case.h"

namespace tarvex::lsp {
namespace {

constexpr std::size_t kMaxHeaderLine = 1024;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

}  // namespace

ReadStatus Transport::Broken(std::string what) {
  error_ = std::move(what);
  return ReadStatus::kBroken;
}

ReadStatus Transport::Read(std::string* body) {
  bool haveLength = false;
  std::size_t length = 0;
  bool anyHeader = false;
  for (;;) {
    std::string line;
    int c;
    while ((c = in_.get()) != std::char_traits<char>::eof() && c != '\n') {
      if (line.size() >= kMaxHeaderLine) return Broken("a header line is too long");
      line.push_back(static_cast<char>(c));
    }
    if (c == std::char_traits<char>::eof()) {
      if (!anyHeader && line.empty()) return ReadStatus::kEnd;
      return Broken("the input ended inside a message header");
    }
    const std::string_view header = Trim(line);
    if (header.empty()) {
      if (!anyHeader) continue;  // stray blank lines between messages
      break;
    }
    anyHeader = true;
    const std::size_t colon = header.find(':');
    if (colon == std::string_view::npos) return Broken("a header line has no ':'");
    if (!EqualsIgnoreAsciiCase(Trim(header.substr(0, colon)), "Content-Length")) continue;
    const std::string_view value = Trim(header.substr(colon + 1));
    if (value.empty() || value.size() > 12) return Broken("Content-Length is not a byte count");
    std::size_t n = 0;
    for (char d : value) {
      if (d < '0' || d > '9') return Broken("Content-Length is not a byte count");
      n = n * 10 + static_cast<std::size_t>(d - '0');
    }
    if (n > kMaxBodyBytes) return Broken("Content-Length " + std::string(value) + " is too large");
    haveLength = true;
    length = n;
  }
  if (!haveLength) return Broken("a message has no Content-Length header");
  body->assign(length, '\0');
  in_.read(body->data(), static_cast<std::streamsize>(length));
  if (static_cast<std::size_t>(in_.gcount()) != length) {
    return Broken("the input ended inside a message body");
  }
  return ReadStatus::kMessage;
}

void Transport::Write(std::string_view body) {
  out_ << "Content-Length: " << body.size() << "\r\n\r\n" << body;
  out_.flush();
}

}  // namespace tarvex::lsp
