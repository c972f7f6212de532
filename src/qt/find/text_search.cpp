#include "qt/find/text_search.h"

#include <algorithm>
#include <string>
#include <vector>

#include "qt/tarvex_view.h"

namespace tarvex::qt {
namespace {

using Sci = QsciScintillaBase;

int Flags(SearchOptions options) {
  return (options.matchCase ? Sci::SCFIND_MATCHCASE : 0) |
         (options.wholeWord ? Sci::SCFIND_WHOLEWORD : 0);
}

// Searches [from, to) (backward when from > to); the match, if any.
std::optional<std::pair<long, long>> SearchRange(CTarvexView& view, std::string_view pattern,
                                                 int flags, long from, long to) {
  view.SendScintilla(Sci::SCI_SETSEARCHFLAGS, static_cast<unsigned long>(flags));
  view.SendScintilla(Sci::SCI_SETTARGETSTART, static_cast<unsigned long>(from));
  view.SendScintilla(Sci::SCI_SETTARGETEND, static_cast<unsigned long>(to));
  const long found = view.SendScintilla(Sci::SCI_SEARCHINTARGET,
                                        static_cast<uintptr_t>(pattern.size()), pattern.data());
  if (found < 0) return std::nullopt;
  return std::make_pair(found, view.SendScintilla(Sci::SCI_GETTARGETEND));
}

long PointY(CTarvexView& view, long offset) {
  return view.SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, offset);
}

}  // namespace

std::optional<std::pair<long, long>> FindInView(CTarvexView& view, std::string_view pattern,
                                                SearchOptions options, bool forward) {
  if (pattern.empty()) return std::nullopt;
  const auto [start, end] = view.Selection();
  const long length = view.Length();
  const int flags = Flags(options);
  if (forward) {
    if (auto match = SearchRange(view, pattern, flags, end, length)) return match;
    return SearchRange(view, pattern, flags, 0, length);  // wrapped around
  }
  if (auto match = SearchRange(view, pattern, flags, start, 0)) return match;
  return SearchRange(view, pattern, flags, length, 0);
}

bool SelectionMatches(CTarvexView& view, std::string_view pattern, SearchOptions options) {
  const auto [start, end] = view.Selection();
  if (pattern.empty() || end - start != static_cast<long>(pattern.size())) return false;
  const auto match = SearchRange(view, pattern, Flags(options), start, end);
  return match && match->first == start && match->second == end;
}

std::optional<int> ReplaceAllInView(CTarvexView& view, std::string_view pattern,
                                    std::string_view replacement, SearchOptions options) {
  if (pattern.empty()) return 0;
  const int flags = Flags(options);
  // Every match in the text as it stands, found before anything changes: a
  // replacement that would pass the limit changes nothing.
  std::vector<std::pair<long, long>> matches;
  for (long from = 0;;) {
    const auto match = SearchRange(view, pattern, flags, from, view.Length());
    if (!match) break;
    matches.push_back(*match);
    from = std::max(match->second, match->first + 1);
  }
  const long change = static_cast<long>(replacement.size()) - static_cast<long>(pattern.size());
  const long count = static_cast<long>(matches.size());
  if (view.Length() + count * change > CTarvexView::kTextLimit) return std::nullopt;
  if (count == 0) return 0;

  // One edit from the first match to the end of the last: an edit per match
  // made the view measure the text again for each, minutes on a large file.
  const long first = matches.front().first;
  const long last = matches.back().second;
  const std::string text = view.Bytes();
  std::string joined;
  joined.reserve(static_cast<std::size_t>(last - first + count * std::max(change, 0L)));
  long at = first;
  for (const auto& [start, end] : matches) {
    joined.append(text, static_cast<std::size_t>(at), static_cast<std::size_t>(start - at));
    joined.append(replacement);
    at = end;
  }
  // The selection stays on the text it was on, as it would have with an
  // edit per match; within a match it moves to the match's start.
  auto moved = [&](long pos) {
    long shift = 0;
    for (const auto& [start, end] : matches) {
      if (pos < end) return pos <= start ? pos + shift : start + shift;
      shift += change;
    }
    return pos + shift;
  };
  const long anchor = moved(view.SendScintilla(Sci::SCI_GETANCHOR));
  const long caret = moved(view.SendScintilla(Sci::SCI_GETCURRENTPOS));
  view.SendScintilla(Sci::SCI_BEGINUNDOACTION);
  view.SendScintilla(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(first), last);
  view.SendScintilla(Sci::SCI_REPLACETARGET, static_cast<uintptr_t>(joined.size()), joined.data());
  view.SendScintilla(Sci::SCI_ENDUNDOACTION);
  view.SendScintilla(Sci::SCI_SETSEL, static_cast<unsigned long>(anchor), caret);
  return static_cast<int>(count);
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
