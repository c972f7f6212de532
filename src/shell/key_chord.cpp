#include "shell/key_chord.h"

#include <array>

namespace tarvex::shell {
namespace {

bool IsNamedKey(std::string_view key) {
  static constexpr std::array<std::string_view, 4> kNames = {"Backspace", "Del", "Ins", "Esc"};
  for (std::string_view name : kNames) {
    if (key == name) return true;
  }
  if (key.size() == 1) {
    return (key[0] >= 'A' && key[0] <= 'Z') || (key[0] >= '0' && key[0] <= '9');
  }
  if (key.size() < 2 || key.size() > 3 || key[0] != 'F') return false;
  int number = 0;
  for (char c : key.substr(1)) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + (c - '0');
  }
  return number >= 1 && number <= 12 && key[1] != '0';
}

}  // namespace

std::optional<KeyChord> ParseKeyChord(std::string_view text) {
  KeyChord chord;
  for (;;) {
    const std::size_t plus = text.find('+');
    if (plus == std::string_view::npos || plus == 0) break;
    const std::string_view modifier = text.substr(0, plus);
    if (modifier == "Ctrl") {
      chord.ctrl = true;
    } else if (modifier == "Shift") {
      chord.shift = true;
    } else if (modifier == "Alt") {
      chord.alt = true;
    } else {
      return std::nullopt;
    }
    text.remove_prefix(plus + 1);
  }
  if (!IsNamedKey(text)) return std::nullopt;
  chord.key = std::string(text);
  return chord;
}

}  // namespace tarvex::shell
