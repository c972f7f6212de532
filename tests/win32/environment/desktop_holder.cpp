// Holds Wine's virtual desktop open for a whole test run. Wine closes a
// desktop one second after the last program on it ends (its explorer does
// not count), and the next program then waits seconds for a new one; between
// two GUI tests there may be many seconds of other tests. This program is a
// user of the desktop that never ends by itself: a hidden window waiting for
// messages. wine_gui_down (scripts/lib/wine.sh) ends it by its process id.
#include <windows.h>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int main() {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = Procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"TarvexDesktopHolder";
  if (!RegisterClassW(&window_class)) return 1;
  // A top-level window, never shown: it makes this process a desktop user
  // without appearing on screenshots or in the driver's descriptions.
  if (!CreateWindowExW(0, window_class.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 1, 1, nullptr,
                       nullptr, window_class.hInstance, nullptr)) {
    return 1;
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
