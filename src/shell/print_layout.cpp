#include "shell/print_layout.h"

#include <algorithm>
#include <cmath>

namespace tarvex::shell {
namespace {

// One line of the text with its tabs turned into blanks.
std::string ExpandTabs(std::string_view line) {
  std::string out;
  out.reserve(line.size());
  for (const char c : line) {
    if (c == '\t') {
      out.append(kPrintTabWidth - out.size() % kPrintTabWidth, ' ');
    } else {
      out.push_back(c);
    }
  }
  return out;
}

// Appends the rows of one line, wrapped at `columns`.
void WrapLine(std::string_view line, int columns, std::vector<std::string>& rows) {
  const auto width = static_cast<std::size_t>(columns);
  if (line.empty()) {
    rows.emplace_back();
    return;
  }
  while (!line.empty()) {
    if (line.size() <= width) {
      rows.emplace_back(line);
      return;
    }
    // The last blank that lets the row's text fit; the blank itself ends
    // the row and is not printed.
    std::size_t cut = line.substr(0, width + 1).find_last_of(' ');
    if (cut == std::string_view::npos || cut == 0) {
      rows.emplace_back(line.substr(0, width));
      line.remove_prefix(width);
      continue;
    }
    rows.emplace_back(line.substr(0, cut));
    line.remove_prefix(cut + 1);
  }
}

}  // namespace

int PrintMarginPixels(int dotsPerInch) {
  return static_cast<int>(std::lround(kPrintMarginMm / 25.4 * dotsPerInch));
}

PageGeometry PageGeometryFor(int width, int height, int dotsPerInchX, int dotsPerInchY,
                             int charWidth, int rowHeight) {
  const int usableWidth = width - 2 * PrintMarginPixels(dotsPerInchX);
  const int usableHeight = height - 2 * PrintMarginPixels(dotsPerInchY);
  PageGeometry g;
  g.columns = std::max(1, charWidth > 0 ? usableWidth / charWidth : 1);
  g.rows = std::max(1, rowHeight > 0 ? usableHeight / rowHeight : 1);
  return g;
}

std::vector<PrintedPage> LayOutPages(std::string_view text, PageGeometry geometry) {
  std::vector<std::string> rows;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    const std::string_view line =
        text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    WrapLine(ExpandTabs(line), geometry.columns, rows);
    if (end == std::string_view::npos) break;
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    if (start == text.size()) break;  // a final line end starts no row of its own
  }
  std::vector<PrintedPage> pages;
  const auto perPage = static_cast<std::size_t>(std::max(1, geometry.rows));
  for (std::size_t first = 0; first < rows.size(); first += perPage) {
    const std::size_t last = std::min(rows.size(), first + perPage);
    pages.emplace_back(rows.begin() + static_cast<std::ptrdiff_t>(first),
                       rows.begin() + static_cast<std::ptrdiff_t>(last));
  }
  if (pages.empty()) pages.emplace_back();
  return pages;
}

}  // namespace tarvex::shell
