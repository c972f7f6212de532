#include "qt/tarvex_view.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "platform/message_format.h"
#include "qt/code_page/code_page_glyphs.h"
#include "qt/code_page/text_view_accessible.h"
#include "qt/text_codec.h"

namespace tarvex::qt {
namespace {

bool HasUrls(const QMimeData* data) {
  return data && data->hasUrls();
}

// How many characters pasting `text` adds, line ends converted to CR LF
// the way the editor converts them.
long PastedLength(const QString& text, bool convertEnds) {
  if (!convertEnds) return static_cast<long>(text.size());
  long length = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
      ++i;
      length += 2;
    } else {
      length += (c == QLatin1Char('\r') || c == QLatin1Char('\n')) ? 2 : 1;
    }
  }
  return length;
}

}  // namespace

CTarvexView::CTarvexView(QWidget* parent) : QsciScintilla(parent) {
  InstallTextViewAccessible();
  setAccessibleName(QStringLiteral("Policy text"));
  setUtf8(false);  // one byte, one character
  setEolMode(EolWindows);
  setEolVisibility(false);
  setWrapMode(WrapWord);
  SendScintilla(SCI_SETHSCROLLBAR, 0UL);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTabWidth(8);
  setIndentationsUseTabs(true);
  for (int margin = 0; margin < 5; ++margin) setMarginWidth(margin, 0);
  SendScintilla(SCI_SETMARGINLEFT, 0UL, 2L);
  // Room for the measured pieces of a line as long as the text limit (the
  // highlighting styles long lines in short pieces for this cache), so an
  // edit re-measures only what it changed.
  SendScintilla(SCI_SETPOSITIONCACHE, kPositionCacheEntries);
  // The view shows no annotations. With them on, QScintilla's default, every
  // edit lays the edited line out once more to count its annotation rows:
  // a whole layout of a megabyte line a keystroke.
  setAnnotationDisplay(AnnotationHidden);
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(10);
  setFont(font);
  // Set here so that the code page's own glyphs are drawn in the same colours.
  setSelectionBackgroundColor(palette().color(QPalette::Active, QPalette::Highlight));
  setSelectionForegroundColor(palette().color(QPalette::Active, QPalette::HighlightedText));

  // Undo, Redo, Cut, Copy, Paste and Select All go through the frame's actions, so that their
  // keys, enabled states and the paste limit are the same everywhere.
  for (QsciCommand::Command command :
       {QsciCommand::Undo, QsciCommand::SelectionCut, QsciCommand::SelectionCopy,
        QsciCommand::Paste, QsciCommand::Redo, QsciCommand::SelectAll}) {
    if (QsciCommand* bound = standardCommands()->find(command)) {
      bound->setKey(0);
      bound->setAlternateKey(0);
    }
  }

  SendScintilla(SCI_SETMODEVENTMASK, static_cast<unsigned long>(SendScintilla(SCI_GETMODEVENTMASK) |
                                                                SC_MOD_INSERTCHECK));
  connect(this, &QsciScintillaBase::SCN_MODIFIED, this, &CTarvexView::OnModified);

  // QScintilla reports the caret's column, counting from the line's start on
  // every update: milliseconds on a line of a megabyte. The view reports the
  // caret's offset in its line instead (nothing here reads the column).
  disconnect(this, SIGNAL(SCN_UPDATEUI(int)), this, SLOT(handleUpdateUI(int)));
  connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, [this] {
    const long caret = SendScintilla(SCI_GETCURRENTPOS);
    if (caret == reportedCaret_) return;
    reportedCaret_ = caret;
    const long line = SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(caret));
    emit cursorPositionChanged(
        static_cast<int>(line),
        static_cast<int>(caret -
                         SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line))));
  });
  connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, &CTarvexView::displayChanged);
  connect(this, &QsciScintilla::selectionChanged, this, [this] { NotifyCaretMoved(*this); });
  connect(this, &QsciScintilla::cursorPositionChanged, this, [this] { NotifyCaretMoved(*this); });
  connect(this, &QsciScintilla::selectionChanged, this, &CTarvexView::displayChanged);
  connect(this, &QsciScintilla::cursorPositionChanged, this, &CTarvexView::displayChanged);
  connect(this, &QsciScintilla::textChanged, this, [this] {
    emit displayChanged();
    emit undoAvailable(CanUndo());
  });
  // The view wraps a long text a piece at a time while idle; each piece
  // changes the scroll range, which is when the rows above the caret change.
  connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, &CTarvexView::displayChanged);
  connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
          [this] { emit pasteAvailable(CanPaste()); });
}

std::string CTarvexView::Bytes() const {
  const long length = Length();
  const auto* data = static_cast<const char*>(SendScintillaPtrResult(SCI_GETCHARACTERPOINTER));
  return data ? std::string(data, static_cast<std::size_t>(length)) : std::string();
}

long CTarvexView::Length() const {
  return SendScintilla(SCI_GETLENGTH);
}

void CTarvexView::SetBytes(std::string_view bytes) {
  loading_ = true;
  // Inserted unwrapped, the text is wrapped afterwards a piece at a time
  // while idle; inserted wrapped, a large file would freeze the window
  // until all of it had been wrapped.
  const long wrap = SendScintilla(SCI_GETWRAPMODE);
  SendScintilla(SCI_SETWRAPMODE, static_cast<unsigned long>(SC_WRAP_NONE));
  SendScintilla(SCI_CLEARALL);
  if (!bytes.empty()) {
    SendScintilla(SCI_APPENDTEXT, static_cast<uintptr_t>(bytes.size()), bytes.data());
  }
  SendScintilla(SCI_SETWRAPMODE, static_cast<unsigned long>(wrap));
  loading_ = false;
  SendScintilla(SCI_EMPTYUNDOBUFFER);
  SendScintilla(SCI_SETSAVEPOINT);
  SendScintilla(SCI_GOTOPOS, 0UL);
  emit undoAvailable(CanUndo());
  emit displayChanged();
}

bool CTarvexView::IsModified() const {
  return SendScintilla(SCI_GETMODIFY) != 0;
}

void CTarvexView::MarkSaved() {
  SendScintilla(SCI_SETSAVEPOINT);
}

std::pair<long, long> CTarvexView::Selection() const {
  return {SendScintilla(SCI_GETSELECTIONSTART), SendScintilla(SCI_GETSELECTIONEND)};
}

void CTarvexView::SelectAndShow(std::size_t start, std::size_t end) {
  const auto length = static_cast<std::size_t>(Length());
  start = std::min(start, length);
  end = std::min(end, length);
  // The caret goes to the end, and SETSEL scrolls it into sight.
  SendScintilla(SCI_SETSEL, static_cast<unsigned long>(start), static_cast<long>(end));
  emit displayChanged();
}

long CTarvexView::PointY(long offset) const {
  return SendScintilla(SCI_POINTYFROMPOSITION, 0UL, offset);
}

CTarvexView::LineColumn CTarvexView::LineColumnAt(long offset) const {
  const long line = SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(offset));
  const long lineStart = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
  // Rows above this line as far as the view has wrapped them; the rows of
  // the line itself from its own layout.
  const long rowsAbove = SendScintilla(SCI_VISIBLEFROMDOCLINE, static_cast<unsigned long>(line));
  const long rowHeight =
      std::max(1L, SendScintilla(SCI_TEXTHEIGHT, static_cast<unsigned long>(line)));
  const long y = PointY(offset);
  const long rowInLine = std::max(0L, (y - PointY(lineStart)) / rowHeight);
  // The row's first character: the first offset that the view draws at this height.
  long low = lineStart;
  long high = offset;
  while (low < high) {
    const long middle = low + (high - low) / 2;
    if (PointY(middle) < y) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return {rowsAbove + rowInLine + 1, offset - low + 1};
}

QString CTarvexView::OnUpdateLineCol() {
  const auto [start, end] = Selection();
  const long caret =
      caret_.Update(static_cast<std::int32_t>(start), static_cast<std::int32_t>(end));
  const LineColumn at = LineColumnAt(caret);
  const std::string text = shell::LineColumnText(at.line, at.column);
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

bool CTarvexView::CanPaste() const {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  return data && data->hasText();
}

bool CTarvexView::Fits(long count) {
  const auto [start, end] = Selection();
  if (Length() - (end - start) + count <= kTextLimit) return true;
  QApplication::beep();
  return false;
}

void CTarvexView::paste() {
  // Checked before the paste: the editor would delete the selection first
  // and only then refuse the insertion.
  const QString text = QApplication::clipboard()->text();
  if (!FirstOutsideCodePage(text).isEmpty()) return RefuseOutsideCodePage(text);
  const bool convertEnds = SendScintilla(SCI_GETPASTECONVERTENDINGS) != 0;
  if (Fits(PastedLength(text, convertEnds))) QsciScintilla::paste();
}

void CTarvexView::RefuseOutsideCodePage(const QString& text) {
  QApplication::beep();
  emit codePageRefused(FirstOutsideCodePage(text));
}

bool CTarvexView::TypeCodePageText(const QString& text) {
  const std::optional<std::string> bytes = ToCodePage(text);
  if (!bytes) {
    RefuseOutsideCodePage(text);
    return true;
  }
  // The editor would type these as Latin-1, where "\u20ac" has no byte.
  if (*bytes == text.toLatin1().toStdString()) return false;
  const auto [start, end] = Selection();
  const char next =
      static_cast<char>(SendScintilla(SCI_GETCHARAT, static_cast<unsigned long>(end)));
  if (overwriteMode() && start == end && end < Length() && next != '\r' && next != '\n') {
    SendScintilla(SCI_SETSEL, static_cast<unsigned long>(end), end + 1);  // typed over
  }
  SendScintilla(SCI_REPLACESEL, 0UL, bytes->c_str());
  return true;
}

QByteArray CTarvexView::fromMimeData(const QMimeData* source, bool& rectangular) const {
  QByteArray bytes = QsciScintilla::fromMimeData(source, rectangular);
  if (source && source->hasText()) bytes = QByteArray::fromStdString(ToBytes(source->text()));
  return bytes;
}

QMimeData* CTarvexView::toMimeData(const QByteArray& text, bool rectangular) const {
  QMimeData* data = QsciScintilla::toMimeData(text, rectangular);
  data->setText(
      FromBytes(std::string_view(text.constData(), static_cast<std::size_t>(text.size()))));
  return data;
}

void CTarvexView::inputMethodEvent(QInputMethodEvent* e) {
  const QString commit = e->commitString();
  if (!commit.isEmpty() && e->preeditString().isEmpty() && !isReadOnly()) {
    if (!Fits(static_cast<long>(commit.size())) || TypeCodePageText(commit)) return e->accept();
  }
  QsciScintilla::inputMethodEvent(e);
}

void CTarvexView::paintEvent(QPaintEvent* e) {
  QsciScintilla::paintEvent(e);
  QPainter painter(viewport());
  PaintCodePageGlyphs(*this, painter, e->rect());
}

void CTarvexView::keyPressEvent(QKeyEvent* e) {
  // Typing at the limit is refused before it reaches the editor, which
  // would otherwise record an empty change and mark the text modified.
  const bool plain = !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
  long typed = 0;
  if (plain && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
    typed = 2;  // CR LF
  } else if (plain && !e->text().isEmpty() && (e->text()[0].isPrint() || e->key() == Qt::Key_Tab)) {
    typed = static_cast<long>(e->text().size());
    const auto [start, end] = Selection();
    const char next =
        static_cast<char>(SendScintilla(SCI_GETCHARAT, static_cast<unsigned long>(end)));
    if (overwriteMode() && start == end && end < Length() && next != '\r' && next != '\n') {
      typed = 0;  // replaces the character after the caret
    }
  }
  if (typed > 0 && !Fits(typed)) return e->accept();
  if (e->key() == Qt::Key_Backspace && e->modifiers() == Qt::NoModifier && DeleteBack()) {
    return e->accept();
  }
  const bool printable = plain && !e->text().isEmpty() && e->text()[0].isPrint();
  if (printable && !isReadOnly() && TypeCodePageText(e->text())) return e->accept();
  QsciScintilla::keyPressEvent(e);
}

bool CTarvexView::DeleteBack() {
  // The editor's own Backspace first counts the caret's column from the
  // line's start, for unindenting: milliseconds on a line of a megabyte.
  // Unindenting, completion lists, call tips and several or virtual
  // selections stay with the editor.
  const auto [start, end] = Selection();
  if (start != end || start == 0 || isReadOnly() || overwriteMode() ||
      SendScintilla(SCI_GETSELECTIONS) != 1 || SendScintilla(SCI_SELECTIONISRECTANGLE) != 0 ||
      SendScintilla(SCI_GETSELECTIONNCARETVIRTUALSPACE, 0UL) != 0 ||
      SendScintilla(SCI_GETBACKSPACEUNINDENTS) != 0 || SendScintilla(SCI_AUTOCACTIVE) != 0 ||
      SendScintilla(SCI_CALLTIPACTIVE) != 0) {
    return false;
  }
  const auto at = [this](long p) {
    return static_cast<char>(SendScintilla(SCI_GETCHARAT, static_cast<unsigned long>(p)));
  };
  const long count = start >= 2 && at(start - 2) == '\r' && at(start - 1) == '\n' ? 2 : 1;
  SendScintilla(SCI_DELETERANGE, static_cast<unsigned long>(start - count), count);
  SendScintilla(SCI_CHOOSECARETX);
  SendScintilla(SCI_SCROLLCARET);
  return true;
}

void CTarvexView::OnModified(int position, int type, const char* text, int length, int, int, int,
                             int, int, int) {
  if (type & SC_MOD_INSERTTEXT) NotifyTextInserted(*this, position, text, length);
  if (type & SC_MOD_DELETETEXT) NotifyTextRemoved(*this, position, text, length);
  if (!(type & SC_MOD_INSERTCHECK) || loading_) return;
  if (Length() + length > kTextLimit) {
    SendScintilla(SCI_CHANGEINSERTION, 0UL, "");
    QApplication::beep();
  }
}

bool CTarvexView::event(QEvent* e) {
  // Tab types a tab; Ctrl+Tab and Ctrl+Shift+Tab leave the view, so that the
  // keyboard alone reaches the toolbar's boxes.
  if (e->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(e);
    if (key->modifiers() & Qt::ControlModifier) {
      if (key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier)) {
        QWidget::focusNextPrevChild(true);
        return true;
      }
      if (key->key() == Qt::Key_Backtab ||
          (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier))) {
        QWidget::focusNextPrevChild(false);
        return true;
      }
    }
  }
  return QsciScintilla::event(e);
}

void CTarvexView::contextMenuEvent(QContextMenuEvent* e) {
  if (contextActions_.isEmpty()) return QsciScintilla::contextMenuEvent(e);
  emit undoAvailable(CanUndo());
  QMenu menu(this);
  menu.addActions(contextActions_);
  menu.exec(e->globalPos());
}

// Files dragged from the desktop belong to the main window, which opens
// them; only text is dropped into the view.
void CTarvexView::dragEnterEvent(QDragEnterEvent* e) {
  if (HasUrls(e->mimeData())) return e->ignore();
  QsciScintilla::dragEnterEvent(e);
}

void CTarvexView::dragMoveEvent(QDragMoveEvent* e) {
  if (HasUrls(e->mimeData())) return e->ignore();
  QsciScintilla::dragMoveEvent(e);
}

void CTarvexView::dropEvent(QDropEvent* e) {
  if (HasUrls(e->mimeData())) return e->ignore();
  // Text moved within the view keeps the length; text from elsewhere adds to it.
  if (e->source() != this && e->source() != viewport() && e->mimeData()) {
    const QString text = e->mimeData()->text();
    if (!FirstOutsideCodePage(text).isEmpty()) {
      RefuseOutsideCodePage(text);
      return e->ignore();
    }
    if (Length() + PastedLength(text, true) > kTextLimit) {
      QApplication::beep();
      return e->ignore();
    }
  }
  QsciScintilla::dropEvent(e);
}

void CTarvexView::resizeEvent(QResizeEvent* e) {
  QsciScintilla::resizeEvent(e);
  emit displayChanged();
}

}  // namespace tarvex::qt
