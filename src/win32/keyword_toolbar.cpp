#include "win32/keyword_toolbar.h"

#include <vector>

#include "platform/resource_ids.h"
#include "shell/frame_tables.h"
#include "win32/accessibility.h"
#include "win32/win32_strings.h"

namespace tarvex::win32 {
namespace {

constexpr int kDroppedListHeight = 200;
constexpr COLORREF kMaskColour = RGB(255, 0, 255);

HMENU ChildId(int id) {
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

}  // namespace

CKeywordToolBar::~CKeywordToolBar() {
  if (images_) ImageList_Destroy(images_);
  if (font_) DeleteObject(font_);
}

bool CKeywordToolBar::Create(HWND parent, int id) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  bar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                         WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                             CCS_TOP | CCS_NODIVIDER,
                         0, 0, 0, 0, parent, ChildId(id), instance, nullptr);
  if (!bar_) return false;
  SendMessageW(bar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SetAccessibleName(bar_, L"Toolbar");

  images_ = ImageList_Create(shell::kToolbarImageWidth, shell::kToolbarImageHeight,
                             ILC_COLOR24 | ILC_MASK, 12, 4);
  std::vector<TBBUTTON> buttons;
  for (const shell::ToolbarEntry& entry : shell::MainToolbar()) {
    TBBUTTON b{};
    b.idCommand = entry.id;
    if (entry.id == 0 || entry.boxWidth > 0) {
      // A box's placeholder is a separator as wide as its box.
      b.fsStyle = BTNS_SEP;
      b.iBitmap = entry.boxWidth;
    } else {
      // Each drawing is its own bitmap resource, named by its base name.
      const std::wstring name = FromAnsi(entry.image);
      auto* bitmap = static_cast<HBITMAP>(
          LoadImageW(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
      if (!bitmap) return false;
      b.iBitmap = ImageList_AddMasked(images_, bitmap, kMaskColour);
      DeleteObject(bitmap);
      b.fsState = TBSTATE_ENABLED;
      b.fsStyle = BTNS_BUTTON;
    }
    buttons.push_back(b);
  }
  SendMessageW(bar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
  SendMessageW(bar_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageW(bar_, TB_AUTOSIZE, 0, 0);

  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  font_ = CreateFontIndirectW(&metrics.lfMessageFont);
  return true;
}

int CKeywordToolBar::Height() const {
  if (!IsVisible()) return 0;
  RECT r{};
  GetWindowRect(bar_, &r);
  return r.bottom - r.top;
}

void CKeywordToolBar::OnSize() {
  SendMessageW(bar_, TB_AUTOSIZE, 0, 0);
}

bool CKeywordToolBar::CreateBox(int id) {
  const int width = shell::ToolbarBoxWidth(id);
  const auto index = static_cast<int>(SendMessageW(bar_, TB_COMMANDTOINDEX, id, 0));
  if (width <= 0 || index < 0) return false;
  RECT r{};
  SendMessageW(bar_, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  r.top += 2;
  const bool keywords = id == ID_KEYWORD;
  // A combo box's height is that of its dropped list.
  if (keywords) r.bottom += kDroppedListHeight;
  const DWORD style = WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS |
                      (keywords ? CBS_SORT | WS_TABSTOP : 0);
  HWND box = CreateWindowExW(0, WC_COMBOBOXW, nullptr, style, r.left, r.top, r.right - r.left,
                             keywords ? r.bottom - r.top : kDroppedListHeight, bar_, ChildId(id),
                             GetModuleHandleW(nullptr), nullptr);
  if (!box) return false;
  SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SetAccessibleName(box, FromAnsi(shell::KeywordBoxName(id)));
  // Tool tips of the toolbar's own tip window, asked for by id (TTN_GETDISPINFO).
  if (HWND tips = reinterpret_cast<HWND>(SendMessageW(bar_, TB_GETTOOLTIPS, 0, 0))) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(bar_);
    tool.uId = reinterpret_cast<UINT_PTR>(box);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  switch (id) {
    case ID_KEYWORD:
      m_wndKeywordBox = box;
      break;
    case ID_KEYWORD_TYPE:
      m_wndTypeBox = box;
      break;
    case ID_KEYWORD_MIN:
      m_wndMinBox = box;
      break;
    default:
      m_wndMaxBox = box;
      break;
  }
  // The value boxes only display: disabled, they can be neither edited nor opened.
  if (!keywords) EnableWindow(box, FALSE);
  ShowWindow(box, SW_SHOWNA);
  return true;
}

void CKeywordToolBar::AddKeyword(const std::string& name) {
  const std::wstring text = FromCodePage(name);
  SendMessageW(m_wndKeywordBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string CKeywordToolBar::KeywordText() const {
  const auto index = SendMessageW(m_wndKeywordBox, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return {};
  const auto length = SendMessageW(m_wndKeywordBox, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(m_wndKeywordBox, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return ToCodePage(text).value_or(std::string());
}

void CKeywordToolBar::ShowInBox(ValueBox which, const std::string& text) {
  HWND box = which == ValueBox::kType      ? m_wndTypeBox
             : which == ValueBox::kMinimum ? m_wndMinBox
                                           : m_wndMaxBox;
  const std::wstring entry = FromCodePage(text);
  SendMessageW(box, CB_RESETCONTENT, 0, 0);
  SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  SendMessageW(box, CB_SETCURSEL, 0, 0);
}

HWND CKeywordToolBar::Box(int id) const {
  switch (id) {
    case ID_KEYWORD:
      return m_wndKeywordBox;
    case ID_KEYWORD_TYPE:
      return m_wndTypeBox;
    case ID_KEYWORD_MIN:
      return m_wndMinBox;
    case ID_KEYWORD_MAX:
      return m_wndMaxBox;
    default:
      return nullptr;
  }
}

int CKeywordToolBar::BoxId(HWND box) const {
  for (int id : {ID_KEYWORD, ID_KEYWORD_TYPE, ID_KEYWORD_MIN, ID_KEYWORD_MAX}) {
    if (box && Box(id) == box) return id;
  }
  return 0;
}

void CKeywordToolBar::EnableButton(int id, bool enabled) {
  const LRESULT state = SendMessageW(bar_, TB_GETSTATE, id, 0);
  if (state == -1) return;
  const bool now = (state & TBSTATE_ENABLED) != 0;
  if (now != enabled)
    SendMessageW(bar_, TB_ENABLEBUTTON, id, MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

}  // namespace tarvex::win32
