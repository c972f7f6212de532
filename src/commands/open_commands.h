// The application's side of File, Open: the framework's Open command is
// forwarded to the main frame's own, which recognises policy binary files.
#ifndef TARVEX_COMMANDS_OPEN_COMMANDS_H_
#define TARVEX_COMMANDS_OPEN_COMMANDS_H_

#include <cstddef>
#include <string>

namespace tarvex {

class WindowSystem;

// Sends ID_OPEN_POLICY to the active window and returns once it is handled.
void ForwardOpenCommand(WindowSystem& ws);

// What opening a file of the wrong extension says: "Incorrect file
// extension." with "Unable to generate the 'Policy.bin' file." on a second line.
std::string WrongExtensionForOpeningText();

// The longest dropped path that is taken as it is; a longer one counts as
// not obtainable rather than being cut short.
inline constexpr std::size_t kMaxDroppedPathLength = 1023;

}  // namespace tarvex

#endif  // TARVEX_COMMANDS_OPEN_COMMANDS_H_
