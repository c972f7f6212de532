#include "qt/lock_keys.h"

#include <QGuiApplication>

#ifdef TARVEX_HAVE_XKB
// Xlib last: its macros (None, Bool, KeyPress...) clash with Qt's names.
#include <X11/XKBlib.h>
#endif

namespace tarvex::qt {

LockKeyState QueryLockKeys() {
  LockKeyState state;
#ifdef TARVEX_HAVE_XKB
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  Display* display = x11 ? x11->display() : nullptr;
  if (!display) return state;
  // The indicators' names are looked up once per display: each look-up is
  // a round trip to the server.
  static Display* namedFor = nullptr;
  static Atom names[3] = {};
  if (namedFor != display) {
    namedFor = display;
    const char* indicators[3] = {"Caps Lock", "Num Lock", "Scroll Lock"};
    for (int i = 0; i < 3; ++i) names[i] = XInternAtom(display, indicators[i], True);
  }
  auto on = [display](Atom name) {
    Bool lit = False;
    return name != 0 && XkbGetNamedIndicator(display, name, nullptr, &lit, nullptr, nullptr) && lit;
  };
  state.caps = on(names[0]);
  state.num = on(names[1]);
  state.scroll = on(names[2]);
#endif
  return state;
}

}  // namespace tarvex::qt
