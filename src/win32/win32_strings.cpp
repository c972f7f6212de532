#include "win32/win32_strings.h"

#include "platform/string_table.h"
#include "shell/wide_text.h"
#include "win32/win32_api.h"

namespace tarvex::win32 {
namespace {

std::wstring Widen(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int n =
      MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

}  // namespace

std::wstring FromAnsi(std::string_view text) {
  return Widen(CP_ACP, text);
}

std::string ToAnsi(std::wstring_view text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

std::wstring FromCodePage(std::string_view bytes) {
  const std::u16string text = shell::BytesToWideText(bytes);
  return std::wstring(text.begin(), text.end());
}

std::optional<std::string> ToCodePage(std::wstring_view text) {
  return shell::WideTextToBytes(std::u16string(text.begin(), text.end()));
}

std::wstring LoadWide(int id) {
  return FromAnsi(LoadStringText(id));
}

std::wstring FormatWide(int id, std::wstring_view argument) {
  // The message is formatted around a marker that then takes the argument,
  // which may hold characters no byte string can.
  const std::string marker = "\x01";
  std::wstring text = FromAnsi(FormatMessage(id, {marker}));
  const std::size_t at = text.find(L'\x01');
  if (at != std::wstring::npos) text.replace(at, 1, argument);
  return text;
}

std::vector<char> DialogFilter(const std::vector<FileFilter>& filters) {
  std::vector<char> list;
  for (const FileFilter& filter : filters) {
    list.insert(list.end(), filter.name.begin(), filter.name.end());
    list.push_back('\0');
    list.insert(list.end(), filter.pattern.begin(), filter.pattern.end());
    list.push_back('\0');
  }
  list.push_back('\0');
  return list;
}

}  // namespace tarvex::win32
