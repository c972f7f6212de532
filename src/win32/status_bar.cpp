#include "win32/status_bar.h"

#include "platform/resource_ids.h"
#include "win32/win32_strings.h"

namespace tarvex::win32 {
namespace {

constexpr int kPaneMargin = 12;

int TextWidth(HWND window, const std::wstring& text) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return size.cx + kPaneMargin;
}

}  // namespace

bool CTarvexStatusBar::Create(HWND parent, int id) {
  bar_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0,
                         0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
  if (!bar_) return false;
  widths_[kCaps] = TextWidth(bar_, LoadWide(ID_INDICATOR_CAPS));
  widths_[kNum] = TextWidth(bar_, LoadWide(ID_INDICATOR_NUM));
  widths_[kScroll] = TextWidth(bar_, LoadWide(ID_INDICATOR_SCRL));
  widths_[kLineColumn] = TextWidth(bar_, LoadWide(ID_INDICATOR_LINECOL));
  widths_[kFaults] = TextWidth(bar_, L"99999 faults");
  OnSize();
  for (int pane = 0; pane < kPaneCount; ++pane) texts_[pane] = L"-";  // differs from any text
  ShowReady();
  for (int pane = kCaps; pane < kPaneCount; ++pane) SetText(static_cast<Pane>(pane), L"");
  return true;
}

int CTarvexStatusBar::Height() const {
  if (!IsVisible()) return 0;
  RECT r{};
  GetWindowRect(bar_, &r);
  return r.bottom - r.top;
}

void CTarvexStatusBar::OnSize() {
  SendMessageW(bar_, WM_SIZE, 0, 0);
  RECT client{};
  GetClientRect(bar_, &client);
  // Right edges, from the last pane backwards; the grip takes the corner.
  std::array<int, kPaneCount> edges{};
  int right = client.right - GetSystemMetrics(SM_CXVSCROLL);
  for (int pane = kPaneCount - 1; pane > kPrompt; --pane) {
    edges[pane] = right;
    right -= widths_[pane];
  }
  edges[kPrompt] = right;
  edges[kPaneCount - 1] = -1;  // to the end
  SendMessageW(bar_, SB_SETPARTS, kPaneCount, reinterpret_cast<LPARAM>(edges.data()));
  for (int pane = 0; pane < kPaneCount; ++pane) {
    SendMessageW(bar_, SB_SETTEXTW, pane, reinterpret_cast<LPARAM>(texts_[pane].c_str()));
  }
}

void CTarvexStatusBar::SetText(Pane pane, const std::wstring& text) {
  if (texts_[pane] == text) return;
  texts_[pane] = text;
  SendMessageW(bar_, SB_SETTEXTW, pane, reinterpret_cast<LPARAM>(text.c_str()));
}

void CTarvexStatusBar::ShowReady() {
  SetText(kPrompt, LoadWide(IDS_IDLE_MESSAGE));
}

void CTarvexStatusBar::UpdateLockKeys() {
  SetText(kCaps, (GetKeyState(VK_CAPITAL) & 1) ? LoadWide(ID_INDICATOR_CAPS) : L"");
  SetText(kNum, (GetKeyState(VK_NUMLOCK) & 1) ? LoadWide(ID_INDICATOR_NUM) : L"");
  SetText(kScroll, (GetKeyState(VK_SCROLL) & 1) ? LoadWide(ID_INDICATOR_SCRL) : L"");
}

}  // namespace tarvex::win32
