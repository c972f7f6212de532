// Removing unfinished files when the process is stopped by a signal.
//
// While a path is registered, SIGINT, SIGTERM or SIGHUP (where the system
// has it) removes the file, and the process then ends by the signal's own
// default action, with the status the signal would have given anyway. A
// signal the process ignores when the first path is registered stays
// ignored. Paths longer than 4095 bytes, or more than 16 at once, are not
// covered.
#ifndef TARVEX_PLATFORM_INTERRUPT_CLEANUP_H_
#define TARVEX_PLATFORM_INTERRUPT_CLEANUP_H_

#include <string>

namespace tarvex {

// Removes the file at `path` if a signal stops the process before
// UnregisterInterruptCleanup(path).
void RegisterInterruptCleanup(const std::string& path);

// The file at `path` is no longer removed on a signal.
void UnregisterInterruptCleanup(const std::string& path);

}  // namespace tarvex

#endif  // TARVEX_PLATFORM_INTERRUPT_CLEANUP_H_
