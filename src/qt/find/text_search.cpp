#include "qt/find/text_search.h"

#include <algorithm>

#include "qt/tarvex_view.h"

namespace tarvex::qt {
namespace {

using Sci = QsciScintillaBase;

long PointY(CTarvexView& view, long offset) {
  return view.SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, offset);
}

}  // namespace

std::string ViewSearch::Text() {
  return view_.Bytes();
}

shell::TextRange ViewSearch::Selection() {
  const auto [start, end] = view_.Selection();
  return {static_cast<std::size_t>(start), static_cast<std::size_t>(end)};
}

std::size_t ViewSearch::Anchor() {
  return static_cast<std::size_t>(view_.SendScintilla(Sci::SCI_GETANCHOR));
}

std::size_t ViewSearch::Caret() {
  return static_cast<std::size_t>(view_.SendScintilla(Sci::SCI_GETCURRENTPOS));
}

void ViewSearch::SelectAndShow(shell::TextRange range) {
  view_.SelectAndShow(range.start, range.end);
}

void ViewSearch::ReplaceRange(std::size_t first, std::size_t last, const std::string& bytes) {
  // One edit for the whole range: an edit per match made the view measure
  // the text again for each, minutes on a large file.
  view_.SendScintilla(Sci::SCI_BEGINUNDOACTION);
  view_.SendScintilla(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(first),
                      static_cast<long>(last));
  view_.SendScintilla(Sci::SCI_REPLACETARGET, static_cast<uintptr_t>(bytes.size()), bytes.data());
  view_.SendScintilla(Sci::SCI_ENDUNDOACTION);
}

void ViewSearch::SetSelection(std::size_t anchor, std::size_t caret) {
  view_.SendScintilla(Sci::SCI_SETSEL, static_cast<unsigned long>(anchor),
                      static_cast<long>(caret));
}

std::optional<int> ReplaceAllInView(CTarvexView& view, std::string_view pattern,
                                    std::string_view replacement, SearchOptions options) {
  ViewSearch search(view);
  return shell::ReplaceEvery(search, std::string(pattern), std::string(replacement), options,
                             CTarvexView::kTextLimit);
}

long RowCount(CTarvexView& view) {
  const long lastLine = std::max(0L, view.SendScintilla(Sci::SCI_GETLINECOUNT) - 1);
  return view.SendScintilla(Sci::SCI_VISIBLEFROMDOCLINE, static_cast<unsigned long>(lastLine)) +
         std::max(1L, view.SendScintilla(Sci::SCI_WRAPCOUNT, static_cast<unsigned long>(lastLine)));
}

long RowStart(CTarvexView& view, long row) {
  const long index = std::clamp(row, 1L, RowCount(view)) - 1;
  const long line =
      view.SendScintilla(Sci::SCI_DOCLINEFROMVISIBLE, static_cast<unsigned long>(index));
  const long lineStart =
      view.SendScintilla(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
  const long rowInLine =
      index - view.SendScintilla(Sci::SCI_VISIBLEFROMDOCLINE, static_cast<unsigned long>(line));
  if (rowInLine <= 0) return lineStart;
  // The first offset drawn on that row: the same rule the indicator uses.
  const long rowHeight =
      std::max(1L, view.SendScintilla(Sci::SCI_TEXTHEIGHT, static_cast<unsigned long>(line)));
  const long targetY = PointY(view, lineStart) + rowInLine * rowHeight;
  long low = lineStart;
  long high = view.SendScintilla(Sci::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line));
  while (low < high) {
    const long middle = low + (high - low) / 2;
    if (PointY(view, middle) < targetY) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low;
}

}  // namespace tarvex::qt
