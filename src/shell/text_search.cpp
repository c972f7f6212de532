#include "shell/text_search.h"

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

namespace tarvex::shell {
namespace {

// Code page 1252's lower case of each byte: ASCII, the Latin-1 letters and
// the three pairs of 0x8A..0x9F (Š, Œ, Ž) and Ÿ.
constexpr std::array<unsigned char, 256> MakeFold() {
  std::array<unsigned char, 256> fold{};
  for (int c = 0; c < 256; ++c) fold[c] = static_cast<unsigned char>(c);
  for (int c = 'A'; c <= 'Z'; ++c) fold[c] = static_cast<unsigned char>(c + 32);
  for (int c = 0xC0; c <= 0xDE; ++c) {
    if (c != 0xD7) fold[c] = static_cast<unsigned char>(c + 32);
  }
  fold[0x8A] = 0x9A;
  fold[0x8C] = 0x9C;
  fold[0x8E] = 0x9E;
  fold[0x9F] = 0xFF;
  return fold;
}
constexpr std::array<unsigned char, 256> kFold = MakeFold();

enum class CharClass { kSpace, kWord, kPunctuation };

CharClass ClassOf(char ch) {
  const auto c = static_cast<unsigned char>(ch);
  if (c == ' ' || c < 0x20 || c == 0x7F) return CharClass::kSpace;
  if (c >= 0x80 || c == '_' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
      (c >= 'A' && c <= 'Z')) {
    return CharClass::kWord;
  }
  return CharClass::kPunctuation;
}

// A word starts at `pos` when its character is not a space and differs in
// class from the one before; it ends there when the one before is not a
// space and differs in class from the one at `pos`.
bool WordStartAt(std::string_view text, std::size_t pos) {
  if (pos == 0) return true;
  if (pos >= text.size()) return false;
  const CharClass here = ClassOf(text[pos]);
  return here != CharClass::kSpace && here != ClassOf(text[pos - 1]);
}

bool WordEndAt(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return true;
  if (pos == 0) return false;
  const CharClass before = ClassOf(text[pos - 1]);
  return before != CharClass::kSpace && before != ClassOf(text[pos]);
}

bool Equal(char a, char b, bool matchCase) {
  if (matchCase) return a == b;
  return kFold[static_cast<unsigned char>(a)] == kFold[static_cast<unsigned char>(b)];
}

bool MatchesAt(std::string_view text, std::string_view pattern, SearchOptions options,
               std::size_t at) {
  if (at + pattern.size() > text.size()) return false;
  for (std::size_t n = 0; n < pattern.size(); ++n) {
    if (!Equal(text[at + n], pattern[n], options.matchCase)) return false;
  }
  return !options.wholeWord || (WordStartAt(text, at) && WordEndAt(text, at + pattern.size()));
}

// Every start in [from, to) (ascending) at which the pattern occurs.
class Finder {
 public:
  Finder(std::string_view text, std::string_view pattern, SearchOptions options)
      : text_(text), pattern_(pattern), options_(options) {}

  // The first match starting in [from, text end), or nothing.
  std::optional<std::size_t> First(std::size_t from) const {
    if (pattern_.empty() || pattern_.size() > text_.size()) return std::nullopt;
    const std::size_t lastStart = text_.size() - pattern_.size();
    const auto first = static_cast<unsigned char>(pattern_[0]);
    for (std::size_t at = from; at <= lastStart; ++at) {
      const auto c = static_cast<unsigned char>(text_[at]);
      if (c != first && (options_.matchCase || kFold[c] != kFold[first])) continue;
      if (MatchesAt(text_, pattern_, options_, at)) return at;
    }
    return std::nullopt;
  }

  // The last match ending at or before `limit`, or nothing.
  std::optional<std::size_t> Last(std::size_t limit) const {
    if (pattern_.empty() || pattern_.size() > limit) return std::nullopt;
    for (std::size_t at = limit - pattern_.size() + 1; at-- > 0;) {
      if (MatchesAt(text_, pattern_, options_, at)) return at;
    }
    return std::nullopt;
  }

 private:
  std::string_view text_;
  std::string_view pattern_;
  SearchOptions options_;
};

}  // namespace

std::optional<TextRange> FindInText(std::string_view text, std::string_view pattern,
                                    SearchOptions options, TextRange selection, bool forward) {
  const Finder finder(text, pattern, options);
  std::optional<std::size_t> at;
  if (forward) {
    at = finder.First(std::min(selection.end, text.size()));
    if (!at) at = finder.First(0);  // wrapped around
  } else {
    at = finder.Last(std::min(selection.start, text.size()));
    if (!at) at = finder.Last(text.size());
  }
  if (!at) return std::nullopt;
  return TextRange{*at, *at + pattern.size()};
}

bool SelectionMatches(std::string_view text, std::string_view pattern, SearchOptions options,
                      TextRange selection) {
  return !pattern.empty() && selection.end >= selection.start &&
         selection.end - selection.start == pattern.size() &&
         MatchesAt(text, pattern, options, selection.start);
}

std::optional<ReplaceAllEdit> PlanReplaceAll(std::string_view text, std::string_view pattern,
                                             std::string_view replacement, SearchOptions options,
                                             std::size_t lengthLimit, std::size_t anchor,
                                             std::size_t caret) {
  ReplaceAllEdit edit;
  const Finder finder(text, pattern, options);
  std::vector<std::size_t> starts;
  for (std::optional<std::size_t> at = finder.First(0); at;
       at = finder.First(*at + std::max<std::size_t>(pattern.size(), 1))) {
    starts.push_back(*at);
  }
  const std::size_t count = starts.size();
  // The new length, checked before anything changes.
  const std::size_t removed = count * pattern.size();
  const std::size_t added = count * replacement.size();
  if (text.size() - removed + added > lengthLimit) return std::nullopt;
  if (count == 0) return edit;

  edit.count = static_cast<int>(count);
  edit.first = starts.front();
  edit.last = starts.back() + pattern.size();
  edit.replacement.reserve(edit.last - edit.first - removed + added);
  std::size_t at = edit.first;
  for (std::size_t start : starts) {
    edit.replacement.append(text.substr(at, start - at));
    edit.replacement.append(replacement);
    at = start + pattern.size();
  }
  // Where a position of the old text lies in the new one.
  auto moved = [&](std::size_t pos) {
    std::size_t before = 0;  // matches wholly before pos
    for (std::size_t start : starts) {
      const std::size_t end = start + pattern.size();
      if (pos < end) {
        const std::size_t shifted = (pos <= start ? pos : start) - before * pattern.size();
        return shifted + before * replacement.size();
      }
      ++before;
    }
    return pos - before * pattern.size() + before * replacement.size();
  };
  edit.anchor = moved(std::min(anchor, text.size()));
  edit.caret = moved(std::min(caret, text.size()));
  return edit;
}

}  // namespace tarvex::shell
