// Tarvex's registrations in the real registry, as start-up, the "Register"
// and "Unregister" switches and the installer ask for them.
//
// A process that runs elevated (the installer runs Tarvex so) registers
// for the machine, under HKLM\Software\Classes; any other for its user,
// under HKCU\Software\Classes, unless the machine's registration already
// names this program (then there is nothing to add). On 64-bit Windows
// every entry goes into both registry views: the class identifier's key is
// kept apart for 32-bit and 64-bit programs, and containers of both kinds
// must find the server.
#ifndef TARVEX_WIN32_REGISTRATION_SYSTEM_REGISTRATION_H_
#define TARVEX_WIN32_REGISTRATION_SYSTEM_REGISTRATION_H_

#include <string>

namespace tarvex::win32::registration {

enum class Scope { kNone, kUser, kMachine };

// Where start-up registers (above).
Scope StartupScope();

// Start-up's registration: the document type, without a word when an
// entry cannot be written, and, unless the process serves a container
// (`embedded`), the embedding server. Returns 0, or the message to show:
// 61834 when the server's entries could not be written.
int RegisterAtStartup(bool embedded);

// The "Register" switch: both registrations, for the machine when elevated,
// else for the user. False when an entry could not be written.
bool RegisterRequest();

// The "Unregister" switch: removes the user's registration and, when
// elevated, the machine's, giving ".inf" back as it was. Returns the message
// to show: 61707, or 61708 when something stays (a machine's registration
// that a process without elevation may not remove counts too).
int UnregisterRequest();

// This program's full path, UTF-8.
std::string ExecutablePath();

// Whether the process runs with an administrator's full rights.
bool IsElevated();

}  // namespace tarvex::win32::registration

#endif  // TARVEX_WIN32_REGISTRATION_SYSTEM_REGISTRATION_H_
