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

std::optional<std::pair<long, long>> FindInView(CTarvexView& view, std::string_view pattern,
                                                SearchOptions options, bool forward) {
  const auto [start, end] = view.Selection();
  const auto match =
      shell::FindInText(view.Bytes(), pattern, options,
                        {static_cast<std::size_t>(start), static_cast<std::size_t>(end)}, forward);
  if (!match) return std::nullopt;
  return std::make_pair(static_cast<long>(match->start), static_cast<long>(match->end));
}

bool SelectionMatches(CTarvexView& view, std::string_view pattern, SearchOptions options) {
  const auto [start, end] = view.Selection();
  return shell::SelectionMatches(view.Bytes(), pattern, options,
                                 {static_cast<std::size_t>(start), static_cast<std::size_t>(end)});
}

std::optional<int> ReplaceAllInView(CTarvexView& view, std::string_view pattern,
                                    std::string_view replacement, SearchOptions options) {
  const auto anchor = static_cast<std::size_t>(view.SendScintilla(Sci::SCI_GETANCHOR));
  const auto caret = static_cast<std::size_t>(view.SendScintilla(Sci::SCI_GETCURRENTPOS));
  const auto edit = shell::PlanReplaceAll(view.Bytes(), pattern, replacement, options,
                                          CTarvexView::kTextLimit, anchor, caret);
  if (!edit) return std::nullopt;
  if (edit->count == 0) return 0;
  // One edit from the first match to the end of the last: an edit per match
  // made the view measure the text again for each, minutes on a large file.
  view.SendScintilla(Sci::SCI_BEGINUNDOACTION);
  view.SendScintilla(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(edit->first),
                     static_cast<long>(edit->last));
  view.SendScintilla(Sci::SCI_REPLACETARGET, static_cast<uintptr_t>(edit->replacement.size()),
                     edit->replacement.data());
  view.SendScintilla(Sci::SCI_ENDUNDOACTION);
  view.SendScintilla(Sci::SCI_SETSEL, static_cast<unsigned long>(edit->anchor),
                     static_cast<long>(edit->caret));
  return edit->count;
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
