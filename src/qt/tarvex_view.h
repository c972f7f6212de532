// CTarvexView: the text view, a QScintilla editor set up as a plain 8-bit
// edit window.
//
// One byte of the file is one character of the text (NUL and every other
// value included) and nothing converts line ends: what Bytes() returns is
// what the file holds. Bytes are shown, read to screen readers, copied and
// typed as the characters of Windows code page 1252; a character the code
// page cannot hold is refused. Enter inserts CR LF, lines wrap at the window's
// edge, tab stops are 8 characters apart, and typing or pasting beyond
// kTextLimit characters is refused.
#ifndef TARVEX_QT_TARVEX_VIEW_H_
#define TARVEX_QT_TARVEX_VIEW_H_

#include <Qsci/qsciscintilla.h>

#include <QList>
#include <string>
#include <string_view>
#include <utility>

#include "shell/caret_tracker.h"
#include "shell/document_rules.h"

class QAction;

namespace tarvex::qt {

class CTarvexView : public QsciScintilla {
  Q_OBJECT

 public:
  static constexpr long kTextLimit = static_cast<long>(shell::kTextLimit);
  // Entries of the view's cache of measured text pieces.
  static constexpr unsigned long kPositionCacheEntries = 1UL << 17;

  explicit CTarvexView(QWidget* parent = nullptr);

  // The whole text, byte for byte.
  std::string Bytes() const;
  long Length() const;

  // Replaces the whole text (a file being read: not held to the limit),
  // empties the undo history, marks the text unmodified and puts the caret
  // at the start.
  void SetBytes(std::string_view bytes);

  bool IsModified() const;
  void MarkSaved();

  // The selection as offsets, start <= end.
  std::pair<long, long> Selection() const;

  // Selects [start, end) (clamped to the text) and scrolls it into sight,
  // leaving the keyboard focus where it is.
  void SelectAndShow(std::size_t start, std::size_t end);

  struct LineColumn {
    long line;    // from 1, counting rows as the view shows them
    long column;  // from 1 within that row
  };
  // The row and column of `offset`, with the rows that the view has wrapped
  // so far; cheap on any document size.
  LineColumn LineColumnAt(long offset) const;

  // The line and column indicator's text for the caret: "Ln %d, Col %d".
  QString OnUpdateLineCol();

  // Edit commands and whether each can run now.
  bool CanUndo() const { return isUndoAvailable(); }
  bool CanPaste() const;
  void paste() override;  // refused when the result would pass the limit

  // Refuses text that the code page cannot hold: beeps and says which
  // character through codePageRefused().
  void RefuseOutsideCodePage(const QString& text);

  // The actions of the view's context menu (the frame's Edit commands).
  void SetContextActions(const QList<QAction*>& actions) { contextActions_ = actions; }

 signals:
  // The text, the selection or the layout changed: the indicator may be stale.
  void displayChanged();
  void undoAvailable(bool available);
  void pasteAvailable(bool available);
  // Typed, pasted or dropped text held `character`, which the code page cannot hold.
  void codePageRefused(const QString& character);

 protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  // The clipboard and drags carry the text decoded from the code page.
  QByteArray fromMimeData(const QMimeData* source, bool& rectangular) const override;
  QMimeData* toMimeData(const QByteArray& text, bool rectangular) const override;

 private:
  void OnModified(int position, int type, const char* text, int length, int, int, int, int, int,
                  int);
  long PointY(long offset) const;
  // Types `text` as bytes of the code page where the editor would not, or
  // refuses it; false when the editor should type it itself.
  bool TypeCodePageText(const QString& text);
  // Whether adding `count` characters in place of the selection stays
  // within the limit; beeps when not.
  bool Fits(long count);
  // Backspace as the editor's own command does it, where nothing but one
  // character (a CR LF pair counts as one) goes; false when the editor
  // should do it itself.
  bool DeleteBack();

  shell::CaretTracker caret_;
  QList<QAction*> contextActions_;
  bool loading_ = false;
  long reportedCaret_ = -1;  // the caret position cursorPositionChanged last reported
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_TARVEX_VIEW_H_
