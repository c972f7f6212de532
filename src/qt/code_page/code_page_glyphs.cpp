#include "qt/code_page/code_page_glyphs.h"

#include <Qsci/qscilexer.h>

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/code_page_1252.h"
#include "qt/tarvex_view.h"

namespace tarvex::qt {
namespace {

using Sci = QsciScintillaBase;

QColor FromScintilla(long colour) {
  return QColor(static_cast<int>(colour & 0xff), static_cast<int>((colour >> 8) & 0xff),
                static_cast<int>((colour >> 16) & 0xff));
}

}  // namespace

bool NeedsCodePageGlyph(unsigned char byte) {
  return byte >= 0x80 && byte <= 0x9f && Cp1252ToUnicode(byte) != byte;
}

void PaintCodePageGlyphs(CTarvexView& view, QPainter& painter, const QRect& area) {
  const QRect box = view.viewport()->rect();
  const long length = view.Length();
  const long first = std::max(0L, view.SendScintilla(Sci::SCI_POSITIONFROMPOINT, 0UL, 0L) - 1);
  const long last = std::min(length, view.SendScintilla(Sci::SCI_POSITIONFROMPOINT,
                                                        static_cast<unsigned long>(box.width()),
                                                        static_cast<long>(box.height())) +
                                         1);
  if (last <= first) return;
  // Copied at once: the pointer lives only until the next message.
  const auto* range = reinterpret_cast<const char*>(static_cast<std::intptr_t>(view.SendScintilla(
      Sci::SCI_GETRANGEPOINTER, static_cast<unsigned long>(first), last - first)));
  if (!range) return;
  const std::string bytes(range, static_cast<std::size_t>(last - first));

  const auto [selStart, selEnd] = view.Selection();
  const long caret = view.SendScintilla(Sci::SCI_GETCURRENTPOS);
  const QPalette& colours = view.palette();
  for (long p = first; p < last; ++p) {
    const auto byte = static_cast<unsigned char>(bytes[static_cast<std::size_t>(p - first)]);
    if (!NeedsCodePageGlyph(byte)) continue;
    const long x = view.SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0UL, p);
    const long y = view.SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, p);
    const long line = view.SendScintilla(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(p));
    const long height = view.SendScintilla(Sci::SCI_TEXTHEIGHT, static_cast<unsigned long>(line));
    const int style =
        static_cast<int>(view.SendScintilla(Sci::SCI_GETSTYLEAT, static_cast<unsigned long>(p)));
    const QFont font = view.lexer() ? view.lexer()->font(style) : view.font();
    long width = view.SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0UL, p + 1) - x;
    if (width <= 0 || view.SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, p + 1) != y) {
      width = QFontMetrics(font).horizontalAdvance(QChar(byte));  // the last of its row
    }
    const QRect cell(static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
                     static_cast<int>(height));
    if (!cell.intersects(area)) continue;
    const bool selected = p >= selStart && p < selEnd;
    const QColor back = selected ? colours.color(QPalette::Highlight)
                                 : FromScintilla(view.SendScintilla(
                                       Sci::SCI_STYLEGETBACK, static_cast<unsigned long>(style)));
    const QColor fore = selected ? colours.color(QPalette::HighlightedText)
                                 : FromScintilla(view.SendScintilla(
                                       Sci::SCI_STYLEGETFORE, static_cast<unsigned long>(style)));
    painter.fillRect(cell, back);
    painter.setPen(fore);
    painter.setFont(font);
    painter.drawText(cell, Qt::AlignCenter,
                     QString(QChar(static_cast<char16_t>(Cp1252ToUnicode(byte)))));
    if (p == caret && view.hasFocus()) {  // the caret stands at the cell's left edge
      const long caretWidth = std::max(1L, view.SendScintilla(Sci::SCI_GETCARETWIDTH));
      painter.fillRect(QRect(cell.left(), cell.top(), static_cast<int>(caretWidth), cell.height()),
                       FromScintilla(view.SendScintilla(Sci::SCI_GETCARETFORE)));
    }
  }
}

}  // namespace tarvex::qt
