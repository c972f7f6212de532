#include "win32/print_preview.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/resource_ids.h"
#include "shell/print_preview.h"
#include "win32/win32_strings.h"

namespace tarvex::win32 {
namespace {

constexpr int kBarHeight = 34;
constexpr int kGap = 16;
constexpr double kZoomFactors[] = {1.0, 1.6, 2.5};

struct Button {
  int id;
  const wchar_t* caption;
};
constexpr Button kButtons[] = {
    {IDC_PREVIEW_PRINT, L"&Print..."},  {IDC_PREVIEW_NEXT, L"&Next Page"},
    {IDC_PREVIEW_PREV, L"Pr&ev Page"},  {IDC_PREVIEW_PAGES, L""},
    {IDC_PREVIEW_ZOOM_IN, L"Zoom &In"}, {IDC_PREVIEW_ZOOM_OUT, L"Zoom &Out"},
    {IDC_PREVIEW_CLOSE, L"&Close"},
};

class PreviewWindow {
 public:
  PreviewWindow(std::vector<shell::PrintedPage> pages, PageMetrics metrics, int shownPages)
      : pages_(std::move(pages)),
        metrics_(metrics),
        state_(static_cast<int>(pages_.size()), shownPages) {}

  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<PreviewWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
      self = static_cast<PreviewWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->hwnd_ = hwnd;
    }
    if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
    return self->OnMessage(message, wparam, lparam);
  }

  HWND hwnd_ = nullptr;
  bool done_ = false;
  bool print_ = false;
  shell::PreviewState& state() { return state_; }

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
      case WM_CREATE:
        CreateButtons();
        Refresh();
        return 0;
      case WM_SIZE:
        Layout();
        return 0;
      case WM_COMMAND:
        OnCommand(LOWORD(wparam));
        return 0;
      case WM_KEYDOWN:
        if (wparam == VK_NEXT) OnCommand(IDC_PREVIEW_NEXT);
        if (wparam == VK_PRIOR) OnCommand(IDC_PREVIEW_PREV);
        return 0;
      case WM_HSCROLL:
      case WM_VSCROLL:
        OnScroll(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wparam));
        return 0;
      case WM_PAINT:
        Paint();
        return 0;
      case WM_ERASEBKGND:
        return 1;
      case WM_CLOSE:
        done_ = true;
        return 0;
      default:
        return DefWindowProcW(hwnd_, message, wparam, lparam);
    }
  }

  void CreateButtons() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font_ = CreateFontIndirectW(&metrics.lfMessageFont);
    int x = 6;
    for (const Button& b : kButtons) {
      HWND button = CreateWindowExW(0, L"BUTTON", b.caption,
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, x, 5, 88,
                                    24, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)),
                                    GetModuleHandleW(nullptr), nullptr);
      SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
      x += 92;
    }
    HWND status = CreateWindowExW(
        0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE, x + 8, 5, 200, 24,
        hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PREVIEW_STATUS)),
        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(status, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }

 public:
  ~PreviewWindow() {
    if (font_) DeleteObject(font_);
  }

 private:
  void OnCommand(int id) {
    switch (id) {
      case IDC_PREVIEW_PRINT:
        print_ = true;
        done_ = true;
        return;
      case IDC_PREVIEW_CLOSE:
      case IDCANCEL:
        done_ = true;
        return;
      case IDC_PREVIEW_NEXT:
        state_.Next();
        break;
      case IDC_PREVIEW_PREV:
        state_.Previous();
        break;
      case IDC_PREVIEW_PAGES:
        state_.TogglePages();
        break;
      case IDC_PREVIEW_ZOOM_IN:
        state_.ZoomIn();
        scroll_ = {0, 0};
        break;
      case IDC_PREVIEW_ZOOM_OUT:
        state_.ZoomOut();
        scroll_ = {0, 0};
        break;
      default:
        return;
    }
    Refresh();
  }

  void Refresh() {
    SetDlgItemTextW(hwnd_, IDC_PREVIEW_PAGES, FromAnsi(state_.ToggleCaption()).c_str());
    SetDlgItemTextW(hwnd_, IDC_PREVIEW_STATUS, FromAnsi(state_.StatusText()).c_str());
    EnableWindow(GetDlgItem(hwnd_, IDC_PREVIEW_NEXT), state_.CanGoNext());
    EnableWindow(GetDlgItem(hwnd_, IDC_PREVIEW_PREV), state_.CanGoPrevious());
    EnableWindow(GetDlgItem(hwnd_, IDC_PREVIEW_PAGES), state_.pageCount() > 1);
    EnableWindow(GetDlgItem(hwnd_, IDC_PREVIEW_ZOOM_IN), state_.CanZoomIn());
    EnableWindow(GetDlgItem(hwnd_, IDC_PREVIEW_ZOOM_OUT), state_.CanZoomOut());
    Layout();
  }

  // The pages' area and the size of one page on screen.
  void Layout() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int areaW = std::max(1, static_cast<int>(client.right) - 2 * kGap);
    const int areaH = std::max(1, static_cast<int>(client.bottom) - kBarHeight - 2 * kGap);
    const int n = state_.shownPages();
    const double aspect = static_cast<double>(metrics_.width) / metrics_.height;
    double pageH = std::min<double>(areaH, (areaW - (n - 1) * kGap) / n / aspect);
    pageH *= kZoomFactors[state_.zoom()];
    pageH_ = std::max(1, static_cast<int>(pageH));
    pageW_ = std::max(1, static_cast<int>(pageH * aspect));
    content_ = {n * pageW_ + (n - 1) * kGap + 2 * kGap, pageH_ + 2 * kGap};
    SetScroll(SB_HORZ, content_.cx, static_cast<int>(client.right));
    SetScroll(SB_VERT, content_.cy, static_cast<int>(client.bottom) - kBarHeight);
    InvalidateRect(hwnd_, nullptr, FALSE);
  }

  void SetScroll(int bar, int content, int page) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = content - 1;
    info.nPage = static_cast<UINT>(std::max(1, page));
    LONG& pos = bar == SB_HORZ ? scroll_.x : scroll_.y;
    pos = std::clamp<LONG>(pos, 0, std::max(0, content - page));
    info.nPos = pos;
    SetScrollInfo(hwnd_, bar, &info, TRUE);
  }

  void OnScroll(int bar, int request) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(hwnd_, bar, &info);
    int pos = info.nPos;
    switch (request) {
      case SB_LINEUP:
        pos -= 40;
        break;
      case SB_LINEDOWN:
        pos += 40;
        break;
      case SB_PAGEUP:
        pos -= static_cast<int>(info.nPage);
        break;
      case SB_PAGEDOWN:
        pos += static_cast<int>(info.nPage);
        break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION:
        pos = info.nTrackPos;
        break;
      default:
        return;
    }
    (bar == SB_HORZ ? scroll_.x : scroll_.y) = pos;
    Layout();
  }

  void Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client{};
    GetClientRect(hwnd_, &client);
    RECT bar = client;
    bar.bottom = kBarHeight;
    FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNFACE));
    RECT area = client;
    area.top = kBarHeight;
    FillRect(dc, &area, GetSysColorBrush(COLOR_APPWORKSPACE));
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    const int n = state_.shownPages();
    for (int i = 0; i < n; ++i) {
      const int index = state_.firstPage() - 1 + i;
      const int x = kGap + i * (pageW_ + kGap) - scroll_.x;
      const int y = kBarHeight + kGap - scroll_.y;
      RECT shadow{x + 4, y + 4, x + pageW_ + 4, y + pageH_ + 4};
      FillRect(dc, &shadow, GetSysColorBrush(COLOR_3DDKSHADOW));
      RECT paper{x, y, x + pageW_, y + pageH_};
      FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      FrameRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      // The page in the printer's own units, scaled to the paper drawn here.
      const int saved = SaveDC(dc);
      SetMapMode(dc, MM_ANISOTROPIC);
      SetWindowExtEx(dc, metrics_.width, metrics_.height, nullptr);
      SetViewportExtEx(dc, pageW_, pageH_, nullptr);
      SetViewportOrgEx(dc, x, y, nullptr);
      SetTextColor(dc, RGB(0, 0, 0));
      DrawPage(dc, pages_[static_cast<std::size_t>(index)], metrics_);
      RestoreDC(dc, saved);
    }
    EndPaint(hwnd_, &ps);
  }

  std::vector<shell::PrintedPage> pages_;
  PageMetrics metrics_;
  shell::PreviewState state_;
  HFONT font_ = nullptr;
  int pageW_ = 1;
  int pageH_ = 1;
  SIZE content_{};
  POINT scroll_{0, 0};
};

}  // namespace

int RunPrintPreview(HWND frame, Printer& printer, std::string_view text, int shownPages,
                    bool* printNow) {
  HDC dc = printer.CurrentPrinterDC();
  const PageMetrics metrics = dc ? PageMetrics::OfDevice(dc) : PageMetrics::Standard();
  if (dc) DeleteDC(dc);
  PreviewWindow preview(shell::LayOutPages(text, metrics.geometry), metrics, shownPages);

  static bool registered = false;
  if (!registered) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = PreviewWindow::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kPreviewWindowClass;
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    registered = RegisterClassExW(&wc) != 0;
  }
  RECT r{};
  GetWindowRect(frame, &r);
  HWND window = CreateWindowExW(0, kPreviewWindowClass, L"Print Preview",
                                WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN,
                                r.left, r.top, r.right - r.left, r.bottom - r.top, frame, nullptr,
                                GetModuleHandleW(nullptr), &preview);
  if (!window) return preview.state().wantedPages();
  EnableWindow(frame, FALSE);
  ShowWindow(window, SW_SHOW);
  SetFocus(GetDlgItem(window, IDC_PREVIEW_CLOSE));
  // The preview's own loop: its buttons take the keyboard as a dialog's do.
  MSG msg{};
  while (!preview.done_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      preview.done_ = true;
      continue;
    }
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_NEXT || msg.wParam == VK_PRIOR)) {
      SendMessageW(window, WM_KEYDOWN, msg.wParam, msg.lParam);
      continue;
    }
    if (IsDialogMessageW(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (msg.message == WM_QUIT) PostQuitMessage(static_cast<int>(msg.wParam));
  EnableWindow(frame, TRUE);
  DestroyWindow(window);
  SetActiveWindow(frame);
  *printNow = preview.print_;
  return preview.state().wantedPages();
}

}  // namespace tarvex::win32
