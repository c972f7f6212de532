#include "qt/checking/policy_lexer.h"

#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QPalette>
#include <string>

#include "keywords/blanks.h"

namespace tarvex::qt {
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

bool PolicyLexer::ContinuesValue(long line) const {
  if (line <= 0) return false;
  QsciScintilla* view = editor();
  const long prevEnd = view->SendScintilla(QsciScintilla::SCI_GETLINEENDPOSITION, line - 1);
  const long prevStart = view->SendScintilla(QsciScintilla::SCI_POSITIONFROMLINE, line - 1);
  long p = prevEnd - 1;
  while (p >= prevStart &&
         IsBlank(static_cast<char>(view->SendScintilla(QsciScintilla::SCI_GETCHARAT, p)))) {
    --p;
  }
  return p >= prevStart &&
         BaseStyle(static_cast<int>(view->SendScintilla(QsciScintilla::SCI_GETSTYLEAT, p))) ==
             kContinuation;
}

void PolicyLexer::styleText(int start, int end) {
  QsciScintilla* view = editor();
  if (view == nullptr || end <= start) return;
  // Restyle whole lines, from the line that holds `start`.
  const long firstLine = view->SendScintilla(QsciScintilla::SCI_LINEFROMPOSITION, start);
  start = static_cast<int>(view->SendScintilla(QsciScintilla::SCI_POSITIONFROMLINE, firstLine));
  // A line continues a value when the line before ended in a continuation mark.
  bool continued = ContinuesValue(firstLine);
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
    if (line.size() >= kPiecedLineLength) {
      CutIntoPieces(line, styles_.data() + from, 0, -1, std::string_view::npos,
                    [](std::size_t, char) { return false; });
    }
    from = to;
  }
  // One call for all: styling piece by piece costs the view a notification a piece.
  view->SendScintilla(QsciScintilla::SCI_SETSTYLINGEX, static_cast<unsigned long>(styles_.size()),
                      styles_.data());
  styles_.clear();
}

void PolicyLexer::setEditor(QsciScintilla* view) {
  if (editor() != nullptr) disconnect(editor(), &QsciScintillaBase::SCN_MODIFIED, this, nullptr);
  QsciLexerCustom::setEditor(view);
  if (view == nullptr) return;
  connect(view, &QsciScintillaBase::SCN_MODIFIED, this,
          [this](int position, int type, const char*, int length, int linesAdded, int, int, int,
                 int, int) { OnModified(position, type, length, linesAdded); });
}

std::pair<long, long> PolicyLexer::ReadLine(long line) {
  QsciScintilla* view = editor();
  const long start = view->SendScintilla(QsciScintilla::SCI_POSITIONFROMLINE, line);
  long end = view->SendScintilla(QsciScintilla::SCI_POSITIONFROMLINE, line + 1);
  if (end < start) end = view->SendScintilla(QsciScintilla::SCI_GETLENGTH);
  const auto* data = reinterpret_cast<const char*>(view->SendScintilla(
      QsciScintilla::SCI_GETRANGEPOINTER, static_cast<unsigned long>(start), end - start));
  lineText_.assign(data != nullptr ? data : "", data != nullptr ? end - start : 0);
  return {start, end};
}

void PolicyLexer::OnModified(int position, int type, int length, int linesAdded) {
  QsciScintilla* view = editor();
  using Sci = QsciScintillaBase;
  if (type & (Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE)) {
    // The line as it is before the change: its base styles, and whether the
    // view holds its styles in full.
    const long line = view->SendScintilla(Sci::SCI_LINEFROMPOSITION, position);
    const auto [start, end] = ReadLine(line);
    before_.position = position;
    before_.lineStart = start;
    before_.endStyled = view->SendScintilla(Sci::SCI_GETENDSTYLED);
    before_.styled = before_.endStyled >= end;
    styles_.clear();
    before_.continues = StyleLine(lineText_, ContinuesValue(line));
    before_.styles.swap(styles_);
    return;
  }
  if (!(type & (Sci::SC_MOD_INSERTTEXT | Sci::SC_MOD_DELETETEXT))) return;
  const bool known = before_.position == position;
  before_.position = -1;
  // New lines move the rows below; the view restyles them as it draws.
  if (linesAdded != 0) return;
  const long line = view->SendScintilla(Sci::SCI_LINEFROMPOSITION, position);
  const auto [start, end] = ReadLine(line);
  const std::string_view text = lineText_;
  styles_.clear();
  const bool continues = StyleLine(text, ContinuesValue(line));
  const std::size_t n = text.size();
  const auto q = static_cast<std::size_t>(position - start);
  const std::size_t inserted =
      (type & Sci::SC_MOD_INSERTTEXT) ? static_cast<std::size_t>(length) : 0;
  const std::size_t deleted =
      (type & Sci::SC_MOD_DELETETEXT) ? static_cast<std::size_t>(length) : 0;
  // Only the pieces near the change need restyling when the view held the
  // line's styles, the line is cut into pieces before and after, and its
  // base styles away from the change are the same, and so is whether it
  // continues on the next line.
  const std::string& old = before_.styles;
  const bool inStep =
      known && before_.styled && before_.lineStart == start && before_.continues == continues &&
      n >= kPiecedLineLength && old.size() >= kPiecedLineLength &&
      old.size() + inserted == n + deleted && q + deleted <= old.size() &&
      old.compare(0, q, styles_, 0, q) == 0 &&
      old.compare(q + deleted, std::string::npos, styles_, q + inserted, std::string::npos) == 0;
  std::size_t from = 0;
  int twin = -1;
  if (inStep && q > 0) {
    // Back to the start of the piece before the change, whose cut the change
    // cannot move.
    const long held = view->SendScintilla(Sci::SCI_GETSTYLEAT, position - 1);
    from = q - 1;
    while (from > 0 &&
           view->SendScintilla(Sci::SCI_GETSTYLEAT, start + static_cast<long>(from) - 1) == held) {
      --from;
    }
    twin = static_cast<int>(held) / kStyleCount;
  }
  std::size_t to = n;
  if (n >= kPiecedLineLength) {
    // Past the change, the view's pieces are the old ones: where a piece
    // starts there as here, with the same style, the rest of the line agrees.
    const auto held = [&](std::size_t p) {
      return static_cast<char>(
          view->SendScintilla(Sci::SCI_GETSTYLEAT, start + static_cast<long>(p)));
    };
    to = CutIntoPieces(
        text, styles_.data(), from, twin, inStep ? q + inserted + 1 : std::string::npos,
        [&](std::size_t p, char style) { return held(p) == style && held(p - 1) != style; });
  }
  startStyling(static_cast<int>(start + static_cast<long>(from)));
  view->SendScintilla(Sci::SCI_SETSTYLINGEX, static_cast<unsigned long>(to - from),
                      styles_.data() + from);
  // What followed the line is as it was (its continuation mark included).
  if (inStep) {
    startStyling(static_cast<int>(before_.endStyled + static_cast<long>(inserted) -
                                  static_cast<long>(deleted)));
  }
  styles_.clear();
}

// Pieces end where the bytes say: mostly before a word, else at the longest
// cached length. An edit changes the pieces about it; the cuts after it soon
// fall where they fell before, so the rest of the line stays as the cache
// knows it. A piece's twin comes from its own first bytes, and differs from
// the piece before so that the view keeps them apart.
template <typename InStep>
std::size_t PolicyLexer::CutIntoPieces(std::string_view line, char* styles, std::size_t from,
                                       int twin, std::size_t until, InStep inStep) const {
  const auto twinOf = [&](std::size_t p, int before) {
    const auto here = static_cast<unsigned char>(line[p]);
    const int next = static_cast<int>((here ^ (here >> 3)) & 1u);
    return next == before ? 2 : next;
  };
  // The line holds base styles from `from` on until it is cut, one run after another.
  std::size_t pieceStart = from;
  std::size_t runEnd = from;
  char base = 0;
  for (std::size_t p = from; p < line.size(); ++p) {
    bool starts = false;
    if (p == runEnd) {  // a run of one base style starts its pieces afresh
      base = styles[p];
      runEnd = p + 1;
      while (runEnd < line.size() && styles[runEnd] == base) ++runEnd;
      if (p != from || twin < 0) twin = twinOf(p, -1);
      pieceStart = p;
      starts = true;
    } else {
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
        starts = true;
      }
    }
    const auto style = static_cast<char>(base + twin * kStyleCount);
    if (starts && p >= until && inStep(p, style)) return p;
    styles[p] = style;
  }
  return line.size();
}

}  // namespace tarvex::qt
