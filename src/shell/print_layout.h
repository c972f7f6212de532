// How the document's text is laid out on printed pages, the same in both
// editors: the view's fixed-pitch font, margins of 15 mm, every line of
// the text wrapped at the page's right edge as the view wraps at its own
// (at the last blank that fits, else inside the word), tabs every 8
// columns, a new page when the rows fill the page.
#ifndef TARVEX_SHELL_PRINT_LAYOUT_H_
#define TARVEX_SHELL_PRINT_LAYOUT_H_

#include <string>
#include <string_view>
#include <vector>

namespace tarvex::shell {

inline constexpr double kPrintMarginMm = 15.0;
inline constexpr int kPrintTabWidth = 8;
inline constexpr int kPrintFontPoints = 10;

// What fits on one page: characters a row and rows a page, each at least 1.
struct PageGeometry {
  int columns = 1;
  int rows = 1;
  bool operator==(const PageGeometry&) const = default;
};

// The margin in device pixels at `dotsPerInch`.
int PrintMarginPixels(int dotsPerInch);

// The rows and columns of a page `width` by `height` device pixels (the
// whole paper), with the margins at the given resolution taken off, for a
// font whose characters are `charWidth` wide and whose rows are
// `rowHeight` high.
PageGeometry PageGeometryFor(int width, int height, int dotsPerInchX, int dotsPerInchY,
                             int charWidth, int rowHeight);

// One printed page: its rows, tabs already turned into blanks and line ends
// dropped; bytes of the document's code page.
using PrintedPage = std::vector<std::string>;

// The pages of `text`. Lines end at CR LF, LF or CR. An empty text prints
// one empty page.
std::vector<PrintedPage> LayOutPages(std::string_view text, PageGeometry geometry);

}  // namespace tarvex::shell

#endif  // TARVEX_SHELL_PRINT_LAYOUT_H_
