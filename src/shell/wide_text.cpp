#include "shell/wide_text.h"

#include "platform/code_page_1252.h"

namespace tarvex::shell {

std::u16string BytesToWideText(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (const char byte : bytes) {
    const auto b = static_cast<unsigned char>(byte);
    text.push_back(b == 0 ? kNulSymbol : static_cast<char16_t>(Cp1252ToUnicode(b)));
  }
  return text;
}

std::optional<std::string> WideTextToBytes(std::u16string_view text, std::size_t* refused) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == kNulSymbol) {
      bytes.push_back('\0');
      continue;
    }
    const std::optional<unsigned char> byte = c == 0 ? std::nullopt : UnicodeToCp1252(c);
    if (!byte) {
      if (refused) *refused = i;
      return std::nullopt;
    }
    bytes.push_back(static_cast<char>(*byte));
  }
  return bytes;
}

std::size_t FirstUntypable(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == 0 || !UnicodeToCp1252(text[i])) return i;
  }
  return std::u16string_view::npos;
}

}  // namespace tarvex::shell
