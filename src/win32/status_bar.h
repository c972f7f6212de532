// The main frame's status bar, m_wndStatus: the prompt pane (the prompt of
// the highlighted menu item or toolbar entry, a notice, or "Ready"), then
// "CAP", "NUM" and "SCRL" while their lock is on, the caret's line and
// column, and the count of faults found while typing. Each pane after the
// first is as wide as its longest text.
#ifndef TARVEX_WIN32_STATUS_BAR_H_
#define TARVEX_WIN32_STATUS_BAR_H_

#include <array>
#include <string>

#include "win32/win32_api.h"

namespace tarvex::win32 {

class CTarvexStatusBar {
 public:
  enum Pane { kPrompt, kCaps, kNum, kScroll, kLineColumn, kFaults, kPaneCount };

  bool Create(HWND parent, int id);
  HWND hwnd() const { return bar_; }
  bool IsVisible() const { return IsWindowVisible(bar_) != FALSE; }
  int Height() const;

  // Shows `text` in a pane; nothing is drawn again when it is unchanged.
  void SetText(Pane pane, const std::wstring& text);
  const std::wstring& Text(Pane pane) const { return texts_[pane]; }
  void ShowReady();

  // Sets CAP, NUM and SCRL from the keyboard's lock states.
  void UpdateLockKeys();

  // Lays the panes out again after the frame's size changed.
  void OnSize();

 private:
  HWND bar_ = nullptr;
  std::array<std::wstring, kPaneCount> texts_;
  std::array<int, kPaneCount> widths_{};
};

}  // namespace tarvex::win32

#endif  // TARVEX_WIN32_STATUS_BAR_H_
