// CTarvexView: the text view, a multi-line EDIT control that fills the
// frame's client area.
//
// The window is Unicode and holds one character a byte of the document
// (shell/wide_text.h): code page 1252 explicitly, NUL shown as U+2400, so
// character offsets are byte offsets. Lines wrap at the window's edge (no
// horizontal scrolling), the selection stays visible without the focus,
// tab stops are 32 dialog units apart, Undo is the control's own single
// step, and typing or pasting beyond kTextLimit characters, or a character
// the code page cannot hold, is refused with a beep.
#ifndef TARVEX_WIN32_TEXT_VIEW_H_
#define TARVEX_WIN32_TEXT_VIEW_H_

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "shell/caret_tracker.h"
#include "win32/win32_api.h"

namespace tarvex::win32 {

class CTarvexView {
 public:
  CTarvexView() = default;
  CTarvexView(const CTarvexView&) = delete;
  CTarvexView& operator=(const CTarvexView&) = delete;
  ~CTarvexView();

  // Creates the control as child `id` of `parent`. False when it cannot.
  bool Create(HWND parent, int id);
  HWND hwnd() const { return edit_; }

  // The whole text, byte for byte.
  std::string Bytes() const;
  std::size_t Length() const;

  // Replaces the whole text (a file being read: not held to the limit),
  // empties the undo step, marks the text unmodified and puts the caret at
  // the start.
  void SetBytes(std::string_view bytes);

  bool IsModified() const;
  void SetModified(bool modified);

  // The selection as offsets, start <= end.
  struct Range {
    std::size_t start;
    std::size_t end;
  };
  Range Selection() const;

  // Selects [start, end) (clamped to the text) with EM_SETSEL and scrolls
  // the caret into sight with EM_SCROLLCARET; the focus stays where it is.
  void SelectAndShow(std::size_t start, std::size_t end);
  // Selects from `anchor` to `caret` without scrolling.
  void SetSelection(std::size_t anchor, std::size_t caret);

  // The row (from 1, as the view shows rows: a wrapped line is several) of
  // `offset`, and where that row begins.
  std::size_t RowOf(std::size_t offset) const;
  std::size_t RowStart(std::size_t row) const;
  std::size_t RowCount() const;

  // The line and column indicator's text for the caret: "Ln %d, Col %d".
  std::string OnUpdateLineCol();
  // The caret's offset as the indicator last judged it.
  std::size_t Caret() const { return caret_; }

  // Puts `bytes` in place of [first, last) as one step that Undo takes back.
  void ReplaceRange(std::size_t first, std::size_t last, std::string_view bytes);

  // The edit commands, and whether each can run now.
  bool CanUndo() const;
  bool CanRedo() const { return undone_; }
  bool HasSelection() const;
  static bool CanPaste();
  void Undo();
  void Redo();
  void Cut();
  void Copy();
  void Paste();
  void SelectAll();

  // The text changed: a change by the user, not by SetBytes.
  void OnTextChanged();

  // Told when SetBytes replaced the whole text (the control reports no
  // change of its own then).
  void SetLoadHandler(std::function<void()> handler) { loaded_ = std::move(handler); }

  // Told of what was refused, in a sentence for the status bar.
  void SetNoticeHandler(std::function<void(const std::wstring&)> handler) {
    notice_ = std::move(handler);
  }

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                       UINT_PTR id, DWORD_PTR self);
  // Whether `text` may go in place of the selection; beeps and tells why not.
  bool MayInsert(std::wstring_view text);
  void Refuse(std::wstring_view text, std::size_t at);

  HWND edit_ = nullptr;
  HFONT font_ = nullptr;
  shell::CaretTracker tracker_;
  std::size_t caret_ = 0;
  bool undone_ = false;        // the last change was Undo: Undo again redoes it
  bool ignoreChange_ = false;  // the change under way is Undo's or the program's own
  std::function<void(const std::wstring&)> notice_;
  std::function<void()> loaded_;
};

}  // namespace tarvex::win32

#endif  // TARVEX_WIN32_TEXT_VIEW_H_
