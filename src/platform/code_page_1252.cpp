#include "platform/code_page_1252.h"

namespace tarvex {
namespace {

// 0x80-0x9F; the undefined bytes keep their C1 value.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Decodes one UTF-8 sequence at `i`, advancing it; nothing when malformed
// (then `i` has moved past the offending byte).
std::optional<char32_t> NextUtf8(std::string_view s, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(s[i++]);
  if (lead < 0x80) return lead;
  int more;
  char32_t c;
  if (lead >= 0xC2 && lead <= 0xDF) {
    more = 1, c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    more = 2, c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    more = 3, c = lead & 0x07;
  } else {
    return std::nullopt;
  }
  for (int k = 0; k < more; ++k) {
    if (i >= s.size()) return std::nullopt;
    const auto next = static_cast<unsigned char>(s[i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (next & 0x3F);
    ++i;
  }
  // Overlong forms, surrogates and values past Unicode are malformed.
  if ((more == 2 && c < 0x800) || (more == 3 && (c < 0x10000 || c > 0x10FFFF)) ||
      (c >= 0xD800 && c <= 0xDFFF)) {
    return std::nullopt;
  }
  return c;
}

}  // namespace

char32_t Cp1252ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

std::optional<unsigned char> UnicodeToCp1252(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
    return static_cast<unsigned char>(codePoint);
  }
  for (int k = 0; k < 32; ++k) {
    if (kHighControls[k] == codePoint) return static_cast<unsigned char>(0x80 + k);
  }
  return std::nullopt;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (const char b : bytes) AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(b)));
  return out;
}

std::string Utf8ToCp1252(std::string_view utf8, char replacement, bool* lossless) {
  std::string out;
  out.reserve(utf8.size());
  bool exact = true;
  for (std::size_t i = 0; i < utf8.size();) {
    const std::optional<char32_t> c = NextUtf8(utf8, i);
    const std::optional<unsigned char> b = c ? UnicodeToCp1252(*c) : std::nullopt;
    if (b) {
      out.push_back(static_cast<char>(*b));
    } else {
      out.push_back(replacement);
      exact = false;
    }
  }
  if (lossless) *lossless = exact;
  return out;
}

}  // namespace tarvex
