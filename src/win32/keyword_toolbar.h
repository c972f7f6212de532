// CKeywordToolBar: the main toolbar, m_wndTools (toolbar 128), with the
// keyword browser's four boxes laid over their placeholder entries: the
// sorted keyword list and the three disabled boxes that show the chosen
// keyword's type, minimum and maximum.
#ifndef TARVEX_WIN32_KEYWORD_TOOLBAR_H_
#define TARVEX_WIN32_KEYWORD_TOOLBAR_H_

#include <string>

#include "platform/window_system.h"
#include "win32/win32_api.h"

namespace tarvex::win32 {

class CKeywordToolBar {
 public:
  CKeywordToolBar() = default;
  CKeywordToolBar(const CKeywordToolBar&) = delete;
  CKeywordToolBar& operator=(const CKeywordToolBar&) = delete;
  ~CKeywordToolBar();

  // Creates the toolbar as child `id` of `parent` with its buttons (images
  // drawn from the shared drawings) and the placeholders. False when it
  // cannot.
  bool Create(HWND parent, int id);
  HWND hwnd() const { return bar_; }
  bool IsVisible() const { return IsWindowVisible(bar_) != FALSE; }
  int Height() const;
  void OnSize();

  // Lays the box of `id` over its placeholder entry (which becomes a
  // separator as wide as the box). False when it cannot be made.
  bool CreateBox(int id);

  // The keyword list: adds a name (the box keeps it sorted) and reads the
  // chosen name, bytes of the code page.
  void AddKeyword(const std::string& name);
  std::string KeywordText() const;
  // Makes `text` the only, selected entry of a value box.
  void ShowInBox(ValueBox box, const std::string& text);

  // The box window of a keyword box id, or null; the id of a box window, or 0.
  HWND Box(int id) const;
  int BoxId(HWND box) const;

  // Enables or disables a button.
  void EnableButton(int id, bool enabled);

  HWND m_wndKeywordBox = nullptr;
  HWND m_wndTypeBox = nullptr;
  HWND m_wndMinBox = nullptr;
  HWND m_wndMaxBox = nullptr;

 private:
  HWND bar_ = nullptr;
  HIMAGELIST images_ = nullptr;
  HFONT font_ = nullptr;
};

}  // namespace tarvex::win32

#endif  // TARVEX_WIN32_KEYWORD_TOOLBAR_H_
