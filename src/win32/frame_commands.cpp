// The main frame's commands: which handler each command id reaches, the
// menus' enabled and checked states, the frame's own commands (help, the
// bars, printing) and checking while typing.

#include "platform/message_format.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "shell/recent_file_list.h"
#include "win32/find_replace.h"
#include "win32/main_frame.h"
#include "win32/print_preview.h"
#include "win32/printing.h"
#include "win32/tarvex_app.h"
#include "win32/tarvex_doc.h"
#include "win32/win32_strings.h"

namespace tarvex::win32 {
namespace {

constexpr UINT_PTR kCheckTimer = 1;

// The user guide beside the program: help\index.html.
std::string HelpFile() {
  char self[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path(self, n);
  return path.substr(0, path.find_last_of("\\/") + 1) + "help\\index.html";
}

}  // namespace

void CMainFrame::RegisterCommands() {
  shell::BindEditorCommands(router_, *this, *find_, app_, *this);
  router_.Add(ID_VIEW_CHECK_WHILE_TYPING, [this] { OnViewCheckWhileTyping(); });
  router_.Add(ID_NEXT_FAULT, [this] { GoToFault(true); });
  router_.Add(ID_PREV_FAULT, [this] { GoToFault(false); });
}

void CMainFrame::Save() {
  if (doc_) doc_->OnFileSave();
}

void CMainFrame::SaveAs() {
  if (doc_) doc_->OnFileSaveAs();
}

bool CMainFrame::IsEnabled(int id) const {
  switch (id) {
    case ID_EDIT_UNDO:
      return view_.CanUndo();
    case ID_EDIT_REDO:
      return view_.CanRedo();
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
      return view_.HasSelection();
    case ID_EDIT_PASTE:
      return CTarvexView::CanPaste();
    case ID_NEXT_FAULT:
    case ID_PREV_FAULT:
      return checking_;
    default:
      return router_.Handles(id);
  }
}

void CMainFrame::OnInitMenuPopup(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const UINT id = GetMenuItemID(menu, i);
    if (id == 0 || id == static_cast<UINT>(-1)) continue;
    // The greyed placeholder of an empty recent-file list stays grey.
    if (id == ID_FILE_MRU_FILE1 && app_.recentFiles().paths().empty()) continue;
    EnableMenuItem(menu, id,
                   MF_BYCOMMAND | (IsEnabled(static_cast<int>(id)) ? MF_ENABLED : MF_GRAYED));
  }
  CheckMenuItem(menu, ID_VIEW_TOOLBAR,
                MF_BYCOMMAND | (m_wndTools.IsVisible() ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(menu, ID_VIEW_STATUS_BAR,
                MF_BYCOMMAND | (m_wndStatus.IsVisible() ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(menu, ID_VIEW_CHECK_WHILE_TYPING,
                MF_BYCOMMAND | (checking_ ? MF_CHECKED : MF_UNCHECKED));
}

void CMainFrame::OnIdle() {
  if (!hwnd_) return;
  // A hidden status bar is not refreshed; it catches up when shown again.
  if (m_wndStatus.IsVisible()) {
    m_wndStatus.UpdateLockKeys();
    m_wndStatus.SetText(CTarvexStatusBar::kLineColumn, FromAnsi(view_.OnUpdateLineCol()));
  }
  for (int id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
    m_wndTools.EnableButton(id, IsEnabled(id));
}

void CMainFrame::OnHelpContents() {
  // The guide installed beside the program, in the system's browser.
  const std::string file = HelpFile();
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(hwnd_, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) {
    MessageBoxA(hwnd_, FormatMessage(IDP_FAILED_TO_LAUNCH_HELP).c_str(),
                std::string(LoadStringText(IDS_APP_TITLE)).c_str(), MB_OK | MB_ICONEXCLAMATION);
  }
}

void CMainFrame::OnViewToolbar() {
  ShowWindow(m_wndTools.hwnd(), m_wndTools.IsVisible() ? SW_HIDE : SW_SHOWNA);
  if (!m_wndTools.IsVisible() && GetFocus() == m_wndTools.m_wndKeywordBox) SetFocus(view_.hwnd());
  Layout();
}

void CMainFrame::OnViewStatusBar() {
  ShowWindow(m_wndStatus.hwnd(), m_wndStatus.IsVisible() ? SW_HIDE : SW_SHOWNA);
  Layout();
  if (m_wndStatus.IsVisible()) OnIdle();  // the panes catch up
}

void CMainFrame::OnFilePrint() {
  HDC dc = nullptr;
  bool toFile = false;
  Printer& printer = app_.printer();
  if (!printer.AskToPrint(hwnd_, &dc, &toFile)) return;
  std::string output;
  if (toFile || printer.PortName() == "FILE:") {
    output = AskPrintFileName(hwnd_);
    if (output.empty()) {
      DeleteDC(dc);
      return;
    }
  }
  const bool printed = PrintText(dc, view_.Bytes(), doc_ ? doc_->title() : "", output);
  DeleteDC(dc);
  if (!printed) {
    MessageBoxA(hwnd_, PrintFailureText(printer.DeviceName(), output).c_str(),
                std::string(LoadStringText(IDS_APP_TITLE)).c_str(), MB_OK | MB_ICONEXCLAMATION);
  }
}

void CMainFrame::OnFilePrintPreview() {
  bool printNow = false;
  app_.setPreviewPages(
      RunPrintPreview(hwnd_, app_.printer(), view_.Bytes(), app_.previewPages(), &printNow));
  SetFocus(view_.hwnd());
  if (printNow) OnFilePrint();
}

void CMainFrame::OnViewCheckWhileTyping() {
  checking_ = !checking_;
  if (checking_) {
    CheckFaults();
    return;
  }
  KillTimer(hwnd_, kCheckTimer);
  checkPending_ = false;
  faults_.Clear();
  m_wndStatus.SetText(CTarvexStatusBar::kFaults, L"");
}

void CMainFrame::OnTextChanged() {
  view_.OnTextChanged();
  if (!checking_) return;
  // Checked once typing pauses.
  checkPending_ = true;
  SetTimer(hwnd_, kCheckTimer, shell::FaultList::kPauseMs, nullptr);
}

void CMainFrame::CheckFaults() {
  KillTimer(hwnd_, kCheckTimer);
  checkPending_ = false;
  if (!checking_) return;
  faults_.Check(view_.Bytes(), keywordTable());
  m_wndStatus.SetText(CTarvexStatusBar::kFaults, FromAnsi(faults_.CountText()));
}

void CMainFrame::GoToFault(bool next) {
  if (!checking_) return;
  if (checkPending_) CheckFaults();  // the faults of the text as it is now
  const std::size_t from = view_.Selection().start;
  const int index = next ? faults_.NextAfter(from) : faults_.PreviousBefore(from);
  if (index < 0) {
    MessageBeep(MB_OK);
    return;
  }
  const SourceFault& fault = faults_.faults()[static_cast<std::size_t>(index)];
  view_.SelectAndShow(fault.selection.start, fault.selection.end);
  ShowNotice(FromCodePage(faults_.VisitText(index)));
}

}  // namespace tarvex::win32
