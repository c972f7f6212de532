// Texts between the program's byte strings and the Unicode windows.
//
// Two kinds of byte string meet here: paths and messages in the system's
// ANSI code page, as the core passes them on; and the document's text and
// what comes from it (keywords, fault messages, search patterns) in code
// page 1252, whatever the system's code page is.
#ifndef TARVEX_WIN32_WIN32_STRINGS_H_
#define TARVEX_WIN32_WIN32_STRINGS_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_format.h"
#include "platform/window_system.h"

namespace tarvex::win32 {

std::wstring FromAnsi(std::string_view text);
std::string ToAnsi(std::wstring_view text);

std::wstring FromCodePage(std::string_view bytes);
// Nothing when a character is outside the code page.
std::optional<std::string> ToCodePage(std::wstring_view text);

// The string-table text under `id`, as Unicode.
std::wstring LoadWide(int id);

// Message `id` with one argument that may hold any character.
std::wstring FormatWide(int id, std::wstring_view argument);

// A common file dialog's filter list: name, NUL, pattern, NUL, ..., NUL.
std::vector<char> DialogFilter(const std::vector<FileFilter>& filters);

}  // namespace tarvex::win32

#endif  // TARVEX_WIN32_WIN32_STRINGS_H_
