// The keyboard's Caps Lock, Num Lock and Scroll Lock state, where the
// display server tells it (X11 with its keyboard extension). Elsewhere the
// state is unknown and the status bar's lock panes stay empty.
#ifndef TARVEX_QT_LOCK_KEYS_H_
#define TARVEX_QT_LOCK_KEYS_H_

namespace tarvex::qt {

struct LockKeyState {
  bool caps = false;
  bool num = false;
  bool scroll = false;
};

LockKeyState QueryLockKeys();

}  // namespace tarvex::qt

#endif  // TARVEX_QT_LOCK_KEYS_H_
