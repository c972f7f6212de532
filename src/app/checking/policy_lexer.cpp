#include "app/checking/policy_lexer.h"

#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QPalette>
#include <string>

#include "keywords/blanks.h"

namespace tarvex::app {
namespace {

// The last non-blank byte of a line is a backslash.
bool EndsWithBackslash(std::string_view line) {
  const std::size_t last = line.find_last_not_of(kBlanks);
  return last != std::string_view::npos && line[last] == '\\';
}

QColor Mix(const QColor& a, const QColor& b, double share) {
  return QColor::fromRgbF(a.redF() * (1 - share) + b.redF() * share,
                          a.greenF() * (1 - share) + b.greenF() * share,
                          a.blueF() * (1 - share) + b.blueF() * share);
}

}  // namespace

PolicyLexer::PolicyLexer(const KeywordTable& table, QObject* parent)
    : QsciLexerCustom(parent), table_(table) {
  ApplyPalette(QApplication::palette());
}

QString PolicyLexer::description(int style) const {
  if (style < 0 || style >= kStyleCount * kVariants) return QString();
  switch (BaseStyle(style)) {
    case kDefault:
      return tr("Default");
    case kComment:
      return tr("Comment");
    case kSection:
      return tr("Section");
    case kKnownKeyword:
      return tr("Keyword");
    case kUnknownKeyword:
      return tr("Unknown keyword");
    case kAttribute:
      return tr("Attribute");
    case kEquals:
      return tr("Equals sign");
    case kValue:
      return tr("Value");
    case kContinuation:
      return tr("Continuation");
    default:
      return QString();
  }
}

void PolicyLexer::ApplyPalette(const QPalette& palette) {
  const QColor text = palette.color(QPalette::Text);
  const QColor base = palette.color(QPalette::Base);
  // Accents are the palette's own link colours, pulled a little towards the
  // text colour so they keep their contrast on either kind of background.
  const QColor link = Mix(palette.color(QPalette::Link), text, 0.15);
  const QColor visited = Mix(palette.color(QPalette::LinkVisited), text, 0.15);
  const QColor quiet = Mix(text, base, 0.4);
  setDefaultPaper(base);
  setDefaultColor(text);
  QFont bold = defaultFont(kKnownKeyword);
  bold.setBold(true);
  QFont italic = defaultFont(kComment);
  italic.setItalic(true);
  for (int twin = 0; twin < kStyleCount * kVariants; twin += kStyleCount) {
    for (int s = 0; s < kStyleCount; ++s) {
      setPaper(base, twin + s);
      setColor(text, twin + s);
      setFont(defaultFont(s), twin + s);
    }
    setColor(quiet, twin + kComment);
    setColor(link, twin + kSection);
    setColor(link, twin + kKnownKeyword);
    setColor(Mix(text, QColor(Qt::red), 0.55), twin + kUnknownKeyword);
    setColor(visited, twin + kAttribute);
    setColor(quiet, twin + kEquals);
    setColor(visited, twin + kContinuation);
    setFont(bold, twin + kSection);
    setFont(bold, twin + kKnownKeyword);
    setFont(bold, twin + kContinuation);
    setFont(italic, twin + kComment);
  }
}

bool PolicyLexer::StyleLine(std::string_view line, bool continued) {
  const auto run = [this](std::size_t length, Style style) {
    styles_.append(length, static_cast<char>(style));
  };
  // A continuation line belongs to the value before it, whatever it holds.
  if (continued) {
    const bool more = EndsWithBackslash(line);
    const std::size_t last = line.find_last_not_of(kBlanks);
    if (more) {
      run(last, kValue);
      run(1, kContinuation);
      run(line.size() - last - 1, kValue);
    } else {
      run(line.size(), kValue);
    }
    return more;
  }
  const std::size_t first = line.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    run(line.size(), kDefault);
    return false;
  }
  if (line[first] == ';' || line[first] == '[') {
    run(line.size(), line[first] == ';' ? kComment : kSection);
    return false;
  }
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    run(line.size(), kUnknownKeyword);
    return false;
  }
  // Keyword, then an attribute from the first "{" up to the "=".
  const std::size_t brace = line.find('{');
  const std::size_t keywordEnd = brace < equals ? brace : equals;
  std::size_t nameEnd = keywordEnd;
  while (nameEnd > first && IsBlank(line[nameEnd - 1])) --nameEnd;
  const std::string_view keyword = line.substr(first, nameEnd - first);
  run(first, kDefault);
  run(nameEnd - first,
      table_.FindIndex(keyword) != KeywordTable::kNotFound ? kKnownKeyword : kUnknownKeyword);
  run(keywordEnd - nameEnd, kDefault);
  run(equals - keywordEnd, kAttribute);
  run(1, kEquals);
  const std::string_view value = line.substr(equals + 1);
  if (EndsWithBackslash(value)) {
    const std::size_t last = value.find_last_not_of(kBlanks);
    run(last, kValue);
    run(1, kContinuation);
    run(value.size() - last - 1, kValue);
    return true;
  }
  run(value.size(), kValue);
  return false;
}

void PolicyLexer::styleText(int start, int end) {
  QsciScintilla* view = editor();
  if (view == nullptr || end <= start) return;
  // Restyle whole lines, from the line that holds `start`.
  const long firstLine = view->SendScintilla(QsciScintilla::SCI_LINEFROMPOSITION, start);
  start = static_cast<int>(view->SendScintilla(QsciScintilla::SCI_POSITIONFROMLINE, firstLine));
  // A line continues a value when the line before ended in a continuation mark.
  bool continued = false;
  if (firstLine > 0) {
    const long prevEnd = view->SendScintilla(QsciScintilla::SCI_GETLINEENDPOSITION, firstLine - 1);
    long p = prevEnd - 1;
    const long prevStart = view->SendScintilla(QsciScintilla::SCI_POSITIONFROMLINE, firstLine - 1);
    while (p >= prevStart &&
           IsBlank(static_cast<char>(view->SendScintilla(QsciScintilla::SCI_GETCHARAT, p)))) {
      --p;
    }
    continued = p >= prevStart && BaseStyle(static_cast<int>(view->SendScintilla(
                                      QsciScintilla::SCI_GETSTYLEAT, p))) == kContinuation;
  }
  startStyling(start);
  // The pointer lives until the next message to the view: styling sends none
  // until all is styled.
  const char* data =
      reinterpret_cast<const char*>(view->SendScintilla(QsciScintilla::SCI_GETCHARACTERPOINTER));
  const std::string_view text(data + start, static_cast<std::size_t>(end - start));
  styles_.clear();
  std::size_t from = 0;
  while (from < text.size()) {
    std::size_t lf = text.find('\n', from);
    const std::size_t to = lf == std::string::npos ? text.size() : lf + 1;
    const std::string_view line = text.substr(from, to - from);
    continued = StyleLine(line, continued);
    if (line.size() >= kPiecedLineLength) CutIntoPieces(line, from);
    from = to;
  }
  // One call for all: styling piece by piece costs the view a notification a piece.
  view->SendScintilla(QsciScintilla::SCI_SETSTYLINGEX, static_cast<unsigned long>(styles_.size()),
                      styles_.data());
  styles_.clear();
}

// Pieces end where the bytes say: mostly before a word, else at the longest
// cached length. An edit changes the pieces about it; the cuts after it soon
// fall where they fell before, so the rest of the line stays as the cache
// knows it. A piece's twin comes from its own first bytes, and differs from
// the piece before so that the view keeps them apart.
void PolicyLexer::CutIntoPieces(std::string_view line, std::size_t from) {
  char* styles = styles_.data() + from;
  const auto twinOf = [&](std::size_t p, int before) {
    const auto here = static_cast<unsigned char>(line[p]);
    const int twin = static_cast<int>((here ^ (here >> 3)) & 1u);
    return twin == before ? 2 : twin;
  };
  // The line holds base styles only until it is cut, one run after another.
  std::size_t runStart = 0;
  while (runStart < line.size()) {
    const char base = styles[runStart];
    std::size_t runEnd = runStart + 1;
    while (runEnd < line.size() && styles[runEnd] == base) ++runEnd;
    int twin = twinOf(runStart, -1);
    std::size_t pieceStart = runStart;
    for (std::size_t p = runStart; p < runEnd; ++p) {
      const std::size_t length = p - pieceStart;
      bool cut = length >= kMaxPieceLength;
      if (!cut && length >= 8 && !IsBlank(line[p]) && IsBlank(line[p - 1])) {
        const auto here = static_cast<unsigned char>(line[p]);
        const auto before = static_cast<unsigned char>(line[p - 1]);
        cut = length >= 20 || ((here * 7u + before) & 2u) != 0;
      }
      if (cut) {
        twin = twinOf(p, twin);
        pieceStart = p;
      }
      styles[p] = static_cast<char>(base + twin * kStyleCount);
    }
    runStart = runEnd;
  }
}

}  // namespace tarvex::app
