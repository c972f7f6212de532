// An accelerator's key as the frame tables write it ("Ctrl+Shift+Z",
// "Alt+Backspace", "F6"), taken apart so that a shell can build its own
// key table from it.
#ifndef TARVEX_SHELL_KEY_CHORD_H_
#define TARVEX_SHELL_KEY_CHORD_H_

#include <optional>
#include <string>
#include <string_view>

namespace tarvex::shell {

struct KeyChord {
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
  // One upper-case letter or digit, "F1" to "F12", "Backspace", "Del",
  // "Ins" or "Esc".
  std::string key;
};

// Nothing when the text names no key or a key outside that list.
std::optional<KeyChord> ParseKeyChord(std::string_view text);

}  // namespace tarvex::shell

#endif  // TARVEX_SHELL_KEY_CHORD_H_
