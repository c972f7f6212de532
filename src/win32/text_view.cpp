#include "win32/text_view.h"

#include <algorithm>

#include "platform/code_page_1252.h"
#include "platform/resource_ids.h"
#include "shell/document_rules.h"
#include "shell/print_layout.h"
#include "shell/wide_text.h"
#include "win32/accessibility.h"
#include "win32/win32_strings.h"

namespace tarvex::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr int kTabStopDialogUnits = 32;

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace

CTarvexView::~CTarvexView() {
  if (edit_) RemoveWindowSubclass(edit_, SubclassProc, kSubclassId);
  if (font_) DeleteObject(font_);
}

bool CTarvexView::Create(HWND parent, int id) {
  edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", nullptr,
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE |
                              ES_AUTOVSCROLL | ES_NOHIDESEL | ES_WANTRETURN,
                          0, 0, 100, 100, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleW(nullptr), nullptr);
  if (!edit_) return false;
  // The view's fixed-pitch font, the one printing uses too.
  HDC screen = GetDC(nullptr);
  const int height = -MulDiv(shell::kPrintFontPoints, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  font_ = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      FIXED_PITCH | FF_MODERN, L"Courier New");
  SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SendMessageW(edit_, EM_SETLIMITTEXT, shell::kTextLimit, 0);
  int tabStop = kTabStopDialogUnits;
  SendMessageW(edit_, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
  SetWindowSubclass(edit_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  SetAccessibleName(edit_, L"Policy text");
  return true;
}

std::string CTarvexView::Bytes() const {
  const auto length = static_cast<std::size_t>(GetWindowTextLengthW(edit_));
  std::wstring text(length + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      SendMessageW(edit_, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  // Typing and pasting let in only the code page; anything else came by
  // another way and is kept as "?" rather than lost.
  std::string bytes;
  bytes.reserve(text.size());
  for (const wchar_t c : text) {
    const std::optional<unsigned char> b =
        c == shell::kNulSymbol ? std::optional<unsigned char>(0) : UnicodeToCp1252(c);
    bytes.push_back(b ? static_cast<char>(*b) : '?');
  }
  return bytes;
}

std::size_t CTarvexView::Length() const {
  return static_cast<std::size_t>(GetWindowTextLengthW(edit_));
}

void CTarvexView::SetBytes(std::string_view bytes) {
  const std::wstring text = FromCodePage(bytes);
  ignoreChange_ = true;
  SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  ignoreChange_ = false;
  SendMessageW(edit_, EM_EMPTYUNDOBUFFER, 0, 0);
  SendMessageW(edit_, EM_SETMODIFY, FALSE, 0);
  SendMessageA(edit_, EM_SETSEL, 0, 0);
  SendMessageA(edit_, EM_SCROLLCARET, 0, 0);
  undone_ = false;
  if (loaded_) loaded_();
}

bool CTarvexView::IsModified() const {
  return SendMessageW(edit_, EM_GETMODIFY, 0, 0) != 0;
}

void CTarvexView::SetModified(bool modified) {
  SendMessageW(edit_, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
}

CTarvexView::Range CTarvexView::Selection() const {
  DWORD start = 0;
  DWORD end = 0;
  // With pointers: the packed reply holds only 16 bits a side.
  SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {std::min(start, end), std::max(start, end)};
}

void CTarvexView::SelectAndShow(std::size_t start, std::size_t end) {
  const std::size_t length = Length();
  start = std::min(start, length);
  end = std::min(end, length);
  SendMessageA(edit_, EM_SETSEL, start, static_cast<LPARAM>(end));
  SendMessageA(edit_, EM_SCROLLCARET, 0, 0);
}

void CTarvexView::SetSelection(std::size_t anchor, std::size_t caret) {
  SendMessageA(edit_, EM_SETSEL, anchor, static_cast<LPARAM>(caret));
}

std::size_t CTarvexView::RowOf(std::size_t offset) const {
  return static_cast<std::size_t>(SendMessageW(edit_, EM_LINEFROMCHAR, offset, 0)) + 1;
}

std::size_t CTarvexView::RowStart(std::size_t row) const {
  const LRESULT start = SendMessageW(edit_, EM_LINEINDEX, row - 1, 0);
  return start < 0 ? Length() : static_cast<std::size_t>(start);
}

std::size_t CTarvexView::RowCount() const {
  return static_cast<std::size_t>(SendMessageW(edit_, EM_GETLINECOUNT, 0, 0));
}

std::string CTarvexView::OnUpdateLineCol() {
  const Range selection = Selection();
  caret_ = static_cast<std::size_t>(tracker_.Update(static_cast<std::int32_t>(selection.start),
                                                    static_cast<std::int32_t>(selection.end)));
  const std::size_t row = RowOf(caret_);
  return shell::LineColumnText(static_cast<long>(row),
                               static_cast<long>(caret_ - RowStart(row) + 1));
}

void CTarvexView::ReplaceRange(std::size_t first, std::size_t last, std::string_view bytes) {
  const std::wstring text = FromCodePage(bytes);
  SendMessageA(edit_, EM_SETSEL, first, static_cast<LPARAM>(last));
  SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

bool CTarvexView::CanUndo() const {
  return !undone_ && SendMessageW(edit_, EM_CANUNDO, 0, 0) != 0;
}

bool CTarvexView::HasSelection() const {
  const Range r = Selection();
  return r.end > r.start;
}

bool CTarvexView::CanPaste() {
  return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

void CTarvexView::Undo() {
  if (!CanUndo()) return;
  ignoreChange_ = true;
  SendMessageW(edit_, EM_UNDO, 0, 0);
  ignoreChange_ = false;
  undone_ = true;
}

void CTarvexView::Redo() {
  if (!undone_) return;
  // The control's one undo step undoes its own undo.
  ignoreChange_ = true;
  SendMessageW(edit_, EM_UNDO, 0, 0);
  ignoreChange_ = false;
  undone_ = false;
}

void CTarvexView::Cut() {
  SendMessageW(edit_, WM_CUT, 0, 0);
}

void CTarvexView::Copy() {
  SendMessageW(edit_, WM_COPY, 0, 0);
}

void CTarvexView::Paste() {
  SendMessageW(edit_, WM_PASTE, 0, 0);
}

void CTarvexView::SelectAll() {
  SendMessageA(edit_, EM_SETSEL, 0, -1);
}

void CTarvexView::OnTextChanged() {
  if (!ignoreChange_) undone_ = false;
}

void CTarvexView::Refuse(std::wstring_view text, std::size_t at) {
  MessageBeep(MB_OK);
  if (!notice_) return;
  std::size_t length = 1;
  if (at + 1 < text.size() && IS_HIGH_SURROGATE(text[at]) && IS_LOW_SURROGATE(text[at + 1])) {
    length = 2;
  }
  notice_(FormatWide(IDS_NOT_IN_CODE_PAGE, text.substr(at, length)));
}

bool CTarvexView::MayInsert(std::wstring_view text) {
  const std::u16string units(text.begin(), text.end());
  const std::size_t at = shell::FirstUntypable(units);
  if (at != std::u16string::npos) {
    Refuse(text, at);
    return false;
  }
  const Range selection = Selection();
  if (Length() - (selection.end - selection.start) + text.size() > shell::kTextLimit) {
    MessageBeep(MB_OK);
    return false;
  }
  return true;
}

LRESULT CALLBACK CTarvexView::SubclassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                           UINT_PTR, DWORD_PTR self) {
  auto* view = reinterpret_cast<CTarvexView*>(self);
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR: {
      const auto c = static_cast<wchar_t>(wparam);
      // Control characters are keys (Backspace, Tab, Enter), not text.
      if (c >= 0x20 && c != 0x7F) {
        const wchar_t typed[] = {c, 0};
        if (!view->MayInsert(typed)) return 0;
      }
      break;
    }
    case WM_PASTE: {
      // Checked before the control pastes, which would paste a part.
      if (!view->MayInsert(ClipboardText())) return 0;
      break;
    }
    default:
      break;
  }
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

}  // namespace tarvex::win32
