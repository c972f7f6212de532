#include "qt/code_page/text_view_accessible.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <algorithm>
#include <cstdint>
#include <string>

#include "qt/tarvex_view.h"
#include "qt/text_codec.h"

namespace tarvex::qt {
namespace {

using Sci = QsciScintillaBase;

class TextViewAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
 public:
  explicit TextViewAccessible(CTarvexView* view)
      : QAccessibleWidget(view, QAccessible::EditableText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface) {
      return static_cast<QAccessibleEditableTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = !view()->isReadOnly();
    s.readOnly = view()->isReadOnly();
    s.multiLine = true;
    s.selectableText = true;
    return s;
  }

  QString text(QAccessible::Text what) const override {
    if (what == QAccessible::Value) return text(0, characterCount());
    return QAccessibleWidget::text(what);
  }

  // QAccessibleTextInterface
  void selection(int index, int* start, int* end) const override {
    const auto [s, e] = view()->Selection();
    *start = index == 0 && s != e ? static_cast<int>(s) : 0;
    *end = index == 0 && s != e ? static_cast<int>(e) : 0;
  }
  int selectionCount() const override {
    const auto [s, e] = view()->Selection();
    return s != e ? 1 : 0;
  }
  void addSelection(int start, int end) override { setSelection(0, start, end); }
  void removeSelection(int) override {
    view()->SendScintilla(
        Sci::SCI_SETEMPTYSELECTION,
        static_cast<unsigned long>(view()->SendScintilla(Sci::SCI_GETCURRENTPOS)));
  }
  void setSelection(int, int start, int end) override {
    view()->SendScintilla(Sci::SCI_SETSEL, static_cast<unsigned long>(start),
                          static_cast<long>(end));
  }
  int cursorPosition() const override {
    return static_cast<int>(view()->SendScintilla(Sci::SCI_GETCURRENTPOS));
  }
  void setCursorPosition(int position) override {
    view()->SendScintilla(Sci::SCI_GOTOPOS, static_cast<unsigned long>(position));
  }
  QString text(int start, int end) const override {
    const long length = view()->Length();
    const long from = std::clamp<long>(start, 0, length);
    const long to = std::clamp<long>(end, from, length);
    if (to == from) return QString();
    const auto* bytes =
        reinterpret_cast<const char*>(static_cast<std::intptr_t>(view()->SendScintilla(
            Sci::SCI_GETRANGEPOINTER, static_cast<unsigned long>(from), to - from)));
    return bytes ? FromBytes(std::string_view(bytes, static_cast<std::size_t>(to - from)))
                 : QString();
  }
  int characterCount() const override { return static_cast<int>(view()->Length()); }
  QRect characterRect(int offset) const override {
    const long x =
        view()->SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0UL, static_cast<long>(offset));
    const long y =
        view()->SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, static_cast<long>(offset));
    const long line =
        view()->SendScintilla(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(offset));
    const long height =
        view()->SendScintilla(Sci::SCI_TEXTHEIGHT, static_cast<unsigned long>(line));
    long width =
        view()->SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0UL, static_cast<long>(offset) + 1) - x;
    if (width <= 0) width = QFontMetrics(view()->font()).averageCharWidth();
    const QPoint topLeft =
        view()->viewport()->mapToGlobal(QPoint(static_cast<int>(x), static_cast<int>(y)));
    return QRect(topLeft, QSize(static_cast<int>(width), static_cast<int>(height)));
  }
  int offsetAtPoint(const QPoint& point) const override {
    const QPoint local = view()->viewport()->mapFromGlobal(point);
    return static_cast<int>(view()->SendScintilla(Sci::SCI_POSITIONFROMPOINTCLOSE,
                                                  static_cast<unsigned long>(local.x()),
                                                  static_cast<long>(local.y())));
  }
  void scrollToSubstring(int start, int end) override {
    view()->SendScintilla(Sci::SCI_SCROLLRANGE, static_cast<unsigned long>(end),
                          static_cast<long>(start));
  }
  QString attributes(int offset, int* start, int* end) const override {
    *start = offset;
    *end = offset;
    return QString();
  }

  // QAccessibleEditableTextInterface: text the code page cannot hold, or
  // that would pass the length limit, is refused.
  void deleteText(int start, int end) override { replaceText(start, end, QString()); }
  void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
  void replaceText(int start, int end, const QString& text) override {
    if (view()->isReadOnly()) return;
    const std::optional<std::string> bytes = ToCodePage(text);
    if (!bytes) return view()->RefuseOutsideCodePage(text);
    const long length = view()->Length();
    const long from = std::clamp<long>(start, 0, length);
    const long to = std::clamp<long>(end, from, length);
    if (length - (to - from) + static_cast<long>(bytes->size()) > CTarvexView::kTextLimit) return;
    view()->SendScintilla(Sci::SCI_SETTARGETSTART, static_cast<unsigned long>(from));
    view()->SendScintilla(Sci::SCI_SETTARGETEND, static_cast<unsigned long>(to));
    view()->SendScintilla(Sci::SCI_REPLACETARGET, static_cast<uintptr_t>(bytes->size()),
                          bytes->data());
  }

 private:
  CTarvexView* view() const { return static_cast<CTarvexView*>(widget()); }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (className == QLatin1String(CTarvexView::staticMetaObject.className())) {
    if (auto* view = qobject_cast<CTarvexView*>(object)) return new TextViewAccessible(view);
  }
  return nullptr;
}

}  // namespace

void InstallTextViewAccessible() {
  static const bool installed = (QAccessible::installFactory(Factory), true);
  (void)installed;
}

void NotifyTextInserted(CTarvexView& view, long position, const char* bytes, long length) {
  if (!QAccessible::isActive() || !bytes) return;
  QAccessibleTextInsertEvent event(
      &view, static_cast<int>(position),
      FromBytes(std::string_view(bytes, static_cast<std::size_t>(length))));
  QAccessible::updateAccessibility(&event);
}

void NotifyTextRemoved(CTarvexView& view, long position, const char* bytes, long length) {
  if (!QAccessible::isActive() || !bytes) return;
  QAccessibleTextRemoveEvent event(
      &view, static_cast<int>(position),
      FromBytes(std::string_view(bytes, static_cast<std::size_t>(length))));
  QAccessible::updateAccessibility(&event);
}

void NotifyCaretMoved(CTarvexView& view) {
  if (!QAccessible::isActive()) return;
  const auto [start, end] = view.Selection();
  QAccessibleTextSelectionEvent selection(&view, static_cast<int>(start), static_cast<int>(end));
  selection.setCursorPosition(
      static_cast<int>(view.SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS)));
  QAccessible::updateAccessibility(&selection);
}

}  // namespace tarvex::qt
