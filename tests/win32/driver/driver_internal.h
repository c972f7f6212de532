// Helpers shared by the driver's own files; not part of its contract.
#ifndef TARVEX_TESTS_WIN32_DRIVER_DRIVER_INTERNAL_H_
#define TARVEX_TESTS_WIN32_DRIVER_DRIVER_INTERNAL_H_

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

#include "driver/ui_driver.h"

namespace tarvex::ui {

// How often a wait looks again.
inline constexpr DWORD kPollMillis = 10;
// A read of another window's state: a live window answers in microseconds.
inline constexpr Millis kReadLimit{5000};

class Deadline {
 public:
  explicit Deadline(Millis limit) : end_(std::chrono::steady_clock::now() + limit) {}
  bool passed() const { return std::chrono::steady_clock::now() >= end_; }

 private:
  std::chrono::steady_clock::time_point end_;
};

std::wstring ClassOf(HWND window);
bool SameText(const std::wstring& a, const std::wstring& b);  // case-insensitive
std::string SystemMessage(DWORD error);

// WM_GETTEXT within `limit`; nullopt if the window does not answer.
std::optional<std::wstring> TextWithin(HWND window, Millis limit);

// A visible message box owned by `owner`, or when `owner` is null one of the
// process `pid`.
std::optional<Dialog> FindMessageBox(HWND owner, DWORD pid);
// True once the process `pid` shows a dialog or box, false at the limit.
bool WaitForAnyDialog(DWORD pid, Millis limit);
bool HasButton(HWND dialog, int button);
void PostClick(HWND dialog, int button);
// True once `window` is gone, false at the limit.
bool WaitGone(HWND window, Millis limit);

}  // namespace tarvex::ui

#endif  // TARVEX_TESTS_WIN32_DRIVER_DRIVER_INTERNAL_H_
