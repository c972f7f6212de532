#include "qt/startup/display_check.h"

#if defined(TARVEX_HAVE_XKB)
#include <X11/Xlib.h>
#endif

namespace tarvex::qt {

bool HasGraphicalSession(const EnvironmentReader& env) {
#if defined(__linux__) || defined(__FreeBSD__)
  if (!env("QT_QPA_PLATFORM").empty()) return true;  // the user chose one
  if (!env("WAYLAND_DISPLAY").empty()) return true;
  const std::string display = env("DISPLAY");
  if (display.empty()) return false;
#if defined(TARVEX_HAVE_XKB)
  // A display that is named but does not answer aborts Qt just the same.
  Display* connection = XOpenDisplay(display.c_str());
  if (!connection) return false;
  XCloseDisplay(connection);
#endif
  return true;
#else
  (void)env;
  return true;
#endif
}

}  // namespace tarvex::qt
