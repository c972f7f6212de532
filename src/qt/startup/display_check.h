// Whether the editor can open a window at all. Without a graphical session
// Qt would abort with its own diagnostics; the editor says in one line what
// is missing and leaves instead.
#ifndef TARVEX_QT_STARTUP_DISPLAY_CHECK_H_
#define TARVEX_QT_STARTUP_DISPLAY_CHECK_H_

#include <functional>
#include <string>

namespace tarvex::qt {

// Reads an environment variable; empty when unset.
using EnvironmentReader = std::function<std::string(const char* name)>;

// True when a window system is reachable: a platform named in
// QT_QPA_PLATFORM, a Wayland session, or an X display that accepts a
// connection. Platforms other than X11 and Wayland always have one.
bool HasGraphicalSession(const EnvironmentReader& env);

// The one line printed when there is none.
inline constexpr const char* kNoDisplayMessage =
    "tarvex: the editor needs a graphical session and none was found; "
    "tarvexc compiles and converts policies without one";

}  // namespace tarvex::qt

#endif  // TARVEX_QT_STARTUP_DISPLAY_CHECK_H_
