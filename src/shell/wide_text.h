// The document's bytes as the characters of a Unicode text control, one
// UTF-16 unit a byte, so that character offsets are byte offsets.
//
// Bytes go through code page 1252 (code_page_1252.h), whatever the
// system's own code page. A control that cannot hold NUL shows each NUL
// byte as U+2400 (the symbol for null), which the code page cannot hold and
// so cannot be typed: reading the text back turns it into NUL again.
#ifndef TARVEX_SHELL_WIDE_TEXT_H_
#define TARVEX_SHELL_WIDE_TEXT_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex::shell {

inline constexpr char16_t kNulSymbol = 0x2400;

// The characters of `bytes`, one a byte.
std::u16string BytesToWideText(std::string_view bytes);

// The bytes of `text`, one a character, U+2400 as NUL. Nothing when a
// character is neither in the code page nor U+2400; `refused` then holds
// the offset of the first such character.
std::optional<std::string> WideTextToBytes(std::u16string_view text,
                                           std::size_t* refused = nullptr);

// The offset of the first character that typing or pasting may not put
// into the text (one outside the code page, U+2400 included), or npos.
std::size_t FirstUntypable(std::u16string_view text);

}  // namespace tarvex::shell

#endif  // TARVEX_SHELL_WIDE_TEXT_H_
