// The keyboard's Caps Lock, Num Lock and Scroll Lock state, where the
// display server tells it (X11 with its keyboard extension). Elsewhere the
// state is unknown and the status bar's lock panes stay empty.
#ifndef TARVEX_APP_LOCK_KEYS_H_
#define TARVEX_APP_LOCK_KEYS_H_

namespace tarvex::app {

struct LockKeyState {
  bool caps = false;
  bool num = false;
  bool scroll = false;
};

LockKeyState QueryLockKeys();

}  // namespace tarvex::app

#endif  // TARVEX_APP_LOCK_KEYS_H_
