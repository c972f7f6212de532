#include "win32/main_frame.h"

#include <vector>

#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "shell/document_rules.h"
#include "shell/frame_tables.h"
#include "win32/find_replace.h"
#include "win32/frame_menus.h"
#include "win32/tarvex_app.h"
#include "win32/tarvex_doc.h"
#include "win32/win32_strings.h"

namespace tarvex::win32 {
namespace {

constexpr UINT_PTR kCheckTimer = 1;
constexpr int kDroppedPathBuffer = 1024;

}  // namespace

UINT CMainFrame::RunIdleMessage() {
  static const UINT message = RegisterWindowMessageW(L"Tarvex.RunIdle");
  return message;
}

CMainFrame::CMainFrame(CTarvexApp& app, WindowSystem& ws) : MainFrameLogic(ws), app_(app) {
  // Before the first drop or Generate, a conversion from File, Open opens
  // its result and reports success itself.
  m_fromDrop = false;
}

CMainFrame::~CMainFrame() {
  if (find_ && find_->dialog()) DestroyWindow(find_->dialog());
  if (hwnd_) {
    // Destroyed by its owner: no message reaches this object any more.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (accelerators_) DestroyAcceleratorTable(accelerators_);
}

bool CMainFrame::Create() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &CMainFrame::WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    wc.hIconSm = static_cast<HICON>(LoadImageW(wc.hInstance, MAKEINTRESOURCEW(IDR_MAINFRAME),
                                               IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = CMainFrame::kWindowClass;
    return RegisterClassExW(&wc) != 0;
  }();
  if (!registered) return false;
  // WM_CREATE runs OnCreate; its failure makes the creation fail.
  const HWND hwnd = CreateWindowExW(0, kWindowClass, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                    nullptr, nullptr, GetModuleHandleW(nullptr), this);
  hwnd_ = hwnd;
  created_ = hwnd != nullptr;
  return created_;
}

LRESULT CALLBACK CMainFrame::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* frame = reinterpret_cast<CMainFrame*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    frame = static_cast<CMainFrame*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
    frame->hwnd_ = hwnd;
  }
  if (!frame) return DefWindowProcW(hwnd, message, wparam, lparam);
  return frame->OnMessage(message, wparam, lparam);
}

int CMainFrame::OnCreate() {
  // Toolbar, status bar, then the keyword boxes and keyword.txt: without
  // it the frame is not created.
  if (!m_wndTools.Create(hwnd_, ID_VIEW_TOOLBAR)) return -1;
  if (!m_wndStatus.Create(hwnd_, ID_VIEW_STATUS_BAR)) return -1;
  if (!m_wndTools.CreateBox(ID_KEYWORD)) return -1;
  if (!FillKeywordBox()) return -1;
  for (int id : {ID_KEYWORD_TYPE, ID_KEYWORD_MIN, ID_KEYWORD_MAX}) {
    if (!m_wndTools.CreateBox(id)) return -1;
  }
  if (!view_.Create(hwnd_, IDW_PANE_FIRST)) return -1;
  view_.SetNoticeHandler([this](const std::wstring& text) { ShowNotice(text); });
  view_.SetLoadHandler([this] { OnTextChanged(); });
  menu_ = BuildMenuBar(shell::MainMenu(), true);
  accelerators_ = BuildAccelerators(shell::MainAccelerators(), true);
  SetMenu(hwnd_, menu_);
  find_ = std::make_unique<FindReplace>(hwnd_, view_,
                                        [this](const std::wstring& text) { ShowNotice(text); });
  RegisterCommands();
  UpdateRecentFileMenu();
  UpdateTitle();
  Layout();
  return 0;
}

void CMainFrame::SetDocument(CTarvexDoc* doc) {
  doc_ = doc;
  doc_->SetTitleHandler([this] { UpdateTitle(); });
  UpdateTitle();
}

bool CMainFrame::ExecuteCommand(int id) {
  return router_.Execute(id);
}

void CMainFrame::ActivateFrame() {
  if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  SetFocus(view_.hwnd());
}

void CMainFrame::UpdateTitle() {
  if (!hwnd_) return;
  const std::string name = doc_ ? doc_->title() : std::string(shell::kUntitled);
  SetWindowTextW(hwnd_, FromAnsi(shell::FrameTitle(name)).c_str());
}

void CMainFrame::UpdateRecentFileMenu() {
  if (menu_) SetRecentFileEntries(menu_, app_.recentFiles().paths());
}

void CMainFrame::EnterServerMode(std::function<void()> onUpdate, std::function<void()> onClose) {
  onServerUpdate_ = std::move(onUpdate);
  onServerClose_ = std::move(onClose);
  router_.Add(ID_FILE_UPDATE, [this] {
    if (onServerUpdate_) onServerUpdate_();
  });
  router_.Add(ID_FILE_SAVE_COPY_AS, [this] {
    if (doc_) doc_->OnFileSaveCopyAs();
  });
  HMENU old = menu_;
  menu_ = BuildMenuBar(shell::EmbeddedMenu(), false);
  SetMenu(hwnd_, menu_);
  if (old) DestroyMenu(old);
  if (accelerators_) DestroyAcceleratorTable(accelerators_);
  accelerators_ = BuildAccelerators(shell::EmbeddedAccelerators(), false);
}

void CMainFrame::Layout() {
  if (!hwnd_ || !view_.hwnd()) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  m_wndTools.OnSize();
  m_wndStatus.OnSize();
  const int top = m_wndTools.Height();
  const int bottom = client.bottom - m_wndStatus.Height();
  MoveWindow(view_.hwnd(), 0, top, client.right, bottom > top ? bottom - top : 0, TRUE);
}

void CMainFrame::ShowPrompt(int id) {
  // The text before the line feed of the command's string: its prompt.
  m_wndStatus.SetText(CTarvexStatusBar::kPrompt,
                      FromAnsi(std::string(PromptOf(LoadStringText(id)))));
}

void CMainFrame::ShowNotice(const std::wstring& text) {
  m_wndStatus.SetText(CTarvexStatusBar::kPrompt, text);
}

void CMainFrame::OnMenuSelect(UINT id, UINT flags, HMENU menu) {
  if (flags == 0xFFFF && !menu) {  // the menu closed
    m_wndStatus.ShowReady();
    return;
  }
  if (flags & (MF_POPUP | MF_SEPARATOR)) {
    m_wndStatus.SetText(CTarvexStatusBar::kPrompt, L"");
    return;
  }
  ShowPrompt(static_cast<int>(id));
}

void CMainFrame::OnCommand(WPARAM wparam, LPARAM lparam) {
  const int id = LOWORD(wparam);
  const int code = HIWORD(wparam);
  const auto control = reinterpret_cast<HWND>(lparam);
  if (control && control == view_.hwnd()) {
    if (code == EN_CHANGE) OnTextChanged();
    if (code == EN_MAXTEXT) MessageBeep(MB_OK);
    return;
  }
  if (control && m_wndTools.BoxId(control) != 0) {
    if (id == ID_KEYWORD && code == CBN_SELCHANGE) OnKeywordSelChange();
    return;
  }
  ExecuteCommand(id);
}

LRESULT CMainFrame::OnNotify(const NMHDR& header) {
  switch (header.code) {
    case TTN_GETDISPINFOW: {
      auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
      const int id = (info.uFlags & TTF_IDISHWND)
                         ? m_wndTools.BoxId(reinterpret_cast<HWND>(header.idFrom))
                         : static_cast<int>(header.idFrom);
      const std::wstring tip = FromAnsi(std::string(ToolTipOf(LoadStringText(id))));
      lstrcpynW(info.szText, tip.c_str(), static_cast<int>(std::size(info.szText)));
      info.lpszText = info.szText;
      return 0;
    }
    case TTN_SHOW: {
      // A box's tip comes with its prompt, as a button's hot state does.
      const auto& info = reinterpret_cast<const NMTTDISPINFOW&>(header);
      (void)info;
      if (const int id = m_wndTools.BoxId(reinterpret_cast<HWND>(header.idFrom))) ShowPrompt(id);
      return 0;
    }
    case TTN_POP:
      if (m_wndTools.BoxId(reinterpret_cast<HWND>(header.idFrom))) m_wndStatus.ShowReady();
      return 0;
    case TBN_HOTITEMCHANGE: {
      const auto& hot = reinterpret_cast<const NMTBHOTITEM&>(header);
      if (hot.dwFlags & HICF_LEAVING) {
        m_wndStatus.ShowReady();
      } else {
        ShowPrompt(hot.idNew);
      }
      return 0;
    }
    default:
      return 0;
  }
}

void CMainFrame::OnDropFiles(HDROP drop) {
  std::vector<std::string> paths;
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    char path[kDroppedPathBuffer];
    const UINT length = DragQueryFileA(drop, i, path, kDroppedPathBuffer);
    // A path that does not fit counts as not obtainable, never cut short.
    paths.push_back(length > 0 && length < kDroppedPathBuffer ? std::string(path, length)
                                                              : std::string());
  }
  DragFinish(drop);
  if (!paths.empty() && paths.front().empty()) return;  // the first path cannot be had
  SetForegroundWindow(hwnd_);
  OnFilesDropped(paths);
}

void CMainFrame::OnClose() {
  if (onServerClose_) {  // an object's window: the container keeps the changes
    ShowWindow(hwnd_, SW_HIDE);
    onServerClose_();
    return;
  }
  if (doc_ && !doc_->SaveModified()) return;
  DestroyWindow(hwnd_);
}

bool CMainFrame::PreTranslateMessage(MSG& msg) {
  if (find_ && find_->dialog() && IsDialogMessageW(find_->dialog(), &msg)) return true;
  if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
  // Ctrl+Tab and Ctrl+Shift+Tab move between the view and the keyword box,
  // so that the keyboard alone reaches the box; Tab itself types a tab.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && (GetKeyState(VK_CONTROL) & 0x8000)) {
    HWND box = m_wndTools.m_wndKeywordBox;
    const bool inView = GetFocus() == view_.hwnd();
    SetFocus(inView && box && m_wndTools.IsVisible() ? box : view_.hwnd());
    return true;
  }
  // F1, the help request, shows the guide's contents wherever the focus is.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1) {
    OnHelpContents();
    return true;
  }
  // A dropped keyword list takes its own keys (Enter, Esc, arrows).
  if (m_wndTools.m_wndKeywordBox &&
      SendMessageW(m_wndTools.m_wndKeywordBox, CB_GETDROPPEDSTATE, 0, 0)) {
    return false;
  }
  if (GetFocus() == m_wndTools.m_wndKeywordBox && msg.message == WM_KEYDOWN &&
      msg.wParam == VK_ESCAPE) {
    SetFocus(view_.hwnd());
    return true;
  }
  return accelerators_ && TranslateAcceleratorW(hwnd_, accelerators_, &msg);
}

LRESULT CMainFrame::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == FindReplace::Message()) {
    if (find_) find_->OnDialogMessage(*reinterpret_cast<const FINDREPLACEW*>(lparam));
    return 0;
  }
  if (message == RunIdleMessage()) {
    OnIdle();
    return 1;
  }
  switch (message) {
    case WM_CREATE:
      return OnCreate();
    case WM_SIZE:
      Layout();
      return 0;
    case WM_SETFOCUS:
      if (view_.hwnd()) SetFocus(view_.hwnd());
      return 0;
    case WM_COMMAND:
      OnCommand(wparam, lparam);
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lparam));
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(reinterpret_cast<HMENU>(wparam));
      return 0;
    case WM_MENUSELECT:
      OnMenuSelect(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HMENU>(lparam));
      return 0;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wparam));
      return 0;
    case WM_TIMER:
      if (wparam == kCheckTimer) CheckFaults();
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      // The main window closed: the message loop ends. A window whose
      // creation failed ends nothing.
      if (created_ && !onServerClose_) PostQuitMessage(0);
      hwnd_ = nullptr;
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wparam, lparam);
  }
}

}  // namespace tarvex::win32
