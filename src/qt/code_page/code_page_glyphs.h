// Drawing the code page's own characters in the text view.
//
// The view holds bytes and its renderer shows each byte as the Latin-1
// character of the same value, which for 0x80-0x9F are invisible control
// characters. Windows code page 1252 has typographic characters there (the
// euro sign, curly quotes, dashes...): after the view has painted, their
// cells are painted again with the right glyph, in the colours the cell has.
#ifndef TARVEX_QT_CODE_PAGE_CODE_PAGE_GLYPHS_H_
#define TARVEX_QT_CODE_PAGE_CODE_PAGE_GLYPHS_H_

class QPainter;
class QRect;

namespace tarvex::qt {

class CTarvexView;

// Paints, within `area` of the view's viewport, every visible byte whose
// code-page character differs from its Latin-1 one.
void PaintCodePageGlyphs(CTarvexView& view, QPainter& painter, const QRect& area);

// Whether the view draws `byte` as the Latin-1 character of its value, which
// is not the code page's.
bool NeedsCodePageGlyph(unsigned char byte);

}  // namespace tarvex::qt

#endif  // TARVEX_QT_CODE_PAGE_CODE_PAGE_GLYPHS_H_
