#include "win32/find_replace.h"

#include <algorithm>
#include <cwchar>

#include "platform/resource_ids.h"
#include "shell/document_rules.h"
#include "shell/find_commands.h"
#include "win32/text_view.h"
#include "win32/win32_strings.h"

namespace tarvex::win32 {
namespace {

// The text view as the shell's find commands see it.
class ViewSearch : public shell::SearchView {
 public:
  explicit ViewSearch(CTarvexView& view) : view_(view) {}
  std::string Text() override { return view_.Bytes(); }
  shell::TextRange Selection() override {
    const CTarvexView::Range r = view_.Selection();
    return {r.start, r.end};
  }
  // The control keeps no anchor: the caret counts as the selection's end.
  std::size_t Anchor() override { return view_.Selection().start; }
  std::size_t Caret() override { return view_.Selection().end; }
  void SelectAndShow(shell::TextRange range) override {
    view_.SelectAndShow(range.start, range.end);
  }
  void ReplaceRange(std::size_t first, std::size_t last, const std::string& bytes) override {
    view_.ReplaceRange(first, last, bytes);
  }
  void SetSelection(std::size_t anchor, std::size_t caret) override {
    view_.SetSelection(anchor, caret);
  }

 private:
  CTarvexView& view_;
};

shell::SearchOptions OptionsOf(DWORD flags) {
  return {(flags & FR_MATCHCASE) != 0, (flags & FR_WHOLEWORD) != 0};
}

// The Go to Line dialog's state while it is open.
struct GoToLine {
  std::size_t current;
  std::size_t rows;
  std::size_t chosen = 0;
};

INT_PTR CALLBACK GoToLineProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<GoToLine*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      state = reinterpret_cast<GoToLine*>(lparam);
      SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      const std::wstring label = L"&Line number (1 - " + std::to_wstring(state->rows) + L"):";
      SetDlgItemTextW(dialog, IDC_GOTO_LINE_RANGE, label.c_str());
      SetDlgItemInt(dialog, IDC_GOTO_LINE_NUMBER, static_cast<UINT>(state->current), FALSE);
      HWND number = GetDlgItem(dialog, IDC_GOTO_LINE_NUMBER);
      SendMessageW(number, EM_SETSEL, 0, -1);
      SetFocus(number);
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK) {
        BOOL read = FALSE;
        const UINT row = GetDlgItemInt(dialog, IDC_GOTO_LINE_NUMBER, &read, FALSE);
        if (!read || row < 1 || row > state->rows) {
          MessageBeep(MB_OK);
          SetFocus(GetDlgItem(dialog, IDC_GOTO_LINE_NUMBER));
          return TRUE;
        }
        state->chosen = row;
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

FindReplace::FindReplace(HWND frame, CTarvexView& view,
                         std::function<void(const std::wstring&)> notice)
    : frame_(frame), view_(view), notice_(std::move(notice)) {
  request_.lStructSize = sizeof request_;
  request_.hwndOwner = frame_;
  request_.Flags = FR_DOWN;
  request_.lpstrFindWhat = pattern_.data();
  request_.wFindWhatLen = static_cast<WORD>(pattern_.size());
  request_.lpstrReplaceWith = replacement_.data();
  request_.wReplaceWithLen = static_cast<WORD>(replacement_.size());
}

UINT FindReplace::Message() {
  static const UINT message = RegisterWindowMessageW(FINDMSGSTRINGW);
  return message;
}

void FindReplace::Open(bool replace) {
  // A short one-line selection is what the user most likely looks for.
  const CTarvexView::Range r = view_.Selection();
  if (const auto proposed = shell::ProposedFindText(view_.Bytes(), {r.start, r.end})) {
    const std::wstring text = FromCodePage(*proposed);
    if (text.size() < pattern_.size()) {
      std::fill(pattern_.begin(), pattern_.end(), L'\0');
      std::copy(text.begin(), text.end(), pattern_.begin());
    }
  }
  if (dialog_ && replacing_ == replace) {
    SetDlgItemTextW(dialog_, 0x480 /* edt1: the text to find */, pattern_.data());
    SetActiveWindow(dialog_);
    return;
  }
  if (dialog_) DestroyWindow(dialog_);
  replacing_ = replace;
  request_.Flags &= FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD;
  dialog_ = replace ? ReplaceTextW(&request_) : FindTextW(&request_);
}

void FindReplace::OnEditFind() {
  Open(false);
}

void FindReplace::OnEditReplace() {
  Open(true);
}

void FindReplace::OnFindNext(bool forward) {
  if (pattern_[0] == L'\0') return Open(false);
  Find(forward);
}

void FindReplace::NotFound() {
  MessageBeep(MB_OK);
  notice_(FormatWide(IDS_FIND_NOT_FOUND, pattern_.data()));
}

void FindReplace::Find(bool forward) {
  ViewSearch search(view_);
  if (shell::FindNext(search, ToCodePage(pattern_.data()), OptionsOf(request_.Flags), forward) !=
      shell::FindOutcome::kFound) {
    NotFound();
  }
}

void FindReplace::ReplaceOne() {
  const std::optional<std::string> replacement = ToCodePage(replacement_.data());
  if (!replacement) {
    notice_(FormatWide(IDS_NOT_IN_CODE_PAGE, replacement_.data()));
    return;
  }
  ViewSearch search(view_);
  switch (shell::ReplaceAndFindNext(search, ToCodePage(pattern_.data()), *replacement,
                                    OptionsOf(request_.Flags), shell::kTextLimit)) {
    case shell::FindOutcome::kFound:
      break;
    case shell::FindOutcome::kNotFound:
      NotFound();
      break;
    case shell::FindOutcome::kTooLong:
      MessageBeep(MB_OK);
      break;
  }
}

void FindReplace::ReplaceAll() {
  const std::optional<std::string> replacement = ToCodePage(replacement_.data());
  if (!replacement) {
    notice_(FormatWide(IDS_NOT_IN_CODE_PAGE, replacement_.data()));
    return;
  }
  ViewSearch search(view_);
  const std::optional<int> count =
      shell::ReplaceEvery(search, ToCodePage(pattern_.data()), *replacement,
                          OptionsOf(request_.Flags), shell::kTextLimit);
  if (!count) {
    MessageBeep(MB_OK);  // the text would pass the length limit
  } else if (*count == 0) {
    NotFound();
  } else {
    notice_(FromAnsi(FormatMessage(IDS_REPLACED_COUNT, {*count})));
  }
}

void FindReplace::OnDialogMessage(const FINDREPLACEW& request) {
  request_.Flags = request.Flags;
  if (request.Flags & FR_DIALOGTERM) {
    dialog_ = nullptr;
    return;
  }
  if (request.Flags & FR_FINDNEXT) Find((request.Flags & FR_DOWN) != 0);
  if (request.Flags & FR_REPLACE) ReplaceOne();
  if (request.Flags & FR_REPLACEALL) ReplaceAll();
}

void FindReplace::OnGoToLine() {
  GoToLine state{view_.RowOf(view_.Caret()), view_.RowCount()};
  if (DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_GOTO_LINE), frame_,
                      GoToLineProc, reinterpret_cast<LPARAM>(&state)) != IDOK) {
    return;
  }
  const std::size_t start = view_.RowStart(state.chosen);
  view_.SelectAndShow(start, start);
  SetFocus(view_.hwnd());
}

}  // namespace tarvex::win32
