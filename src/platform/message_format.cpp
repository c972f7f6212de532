#include "platform/message_format.h"

#include <vector>

#include "platform/string_table.h"

namespace tarvex {

std::string MessageArg::ToText() const {
  if (const auto* text = std::get_if<std::string>(&value_)) return *text;
  return std::to_string(std::get<int>(value_));
}

std::string FormatText(std::string_view pattern, std::initializer_list<MessageArg> args) {
  const std::vector<MessageArg> list(args);
  std::string out;
  out.reserve(pattern.size() + 64);
  std::size_t next = 0;  // the argument that the next "%s" or "%d" takes
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    if (c != '%' || i + 1 == pattern.size()) {
      out += c;
      continue;
    }
    char kind = pattern[i + 1];
    if (kind == 's' || kind == 'd') {
      if (next < list.size()) out += list[next].ToText();
      ++next;
      ++i;
    } else if (kind >= '1' && kind <= '9') {
      std::size_t index = static_cast<std::size_t>(kind - '1');
      if (index < list.size()) out += list[index].ToText();
      ++i;
    } else if (kind == '%') {
      out += '%';
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

std::string FormatMessage(int id, std::initializer_list<MessageArg> args) {
  return FormatText(LoadStringText(id), args);
}

}  // namespace tarvex
