// Highlighting of policy sources: comment and section lines, keywords the
// dictionary knows and those it does not, attributes in braces, the "=",
// values and the continuation backslash. Colours come from the palette, so
// light and dark themes stay readable.
#ifndef TARVEX_APP_CHECKING_POLICY_LEXER_H_
#define TARVEX_APP_CHECKING_POLICY_LEXER_H_

#include <Qsci/qscilexercustom.h>

#include <string>
#include <string_view>

#include "keywords/keyword_table.h"

namespace tarvex::app {

class PolicyLexer : public QsciLexerCustom {
  Q_OBJECT

 public:
  enum Style {
    kDefault = 0,
    kComment,
    kSection,
    kKnownKeyword,
    kUnknownKeyword,
    kAttribute,
    kEquals,
    kValue,
    kContinuation,
    kStyleCount
  };
  // Each style has look-alike twins (the same font and colours) at these
  // offsets. Long lines are styled in short pieces that alternate between a
  // style and its twins, so the view measures each piece once and takes it
  // from its cache afterwards instead of measuring the whole line again.
  static constexpr int kVariants = 3;
  // The style a styled byte stands for, twins folded back.
  static constexpr int BaseStyle(int style) { return style % kStyleCount; }
  // Lines at least this long are styled in pieces.
  static constexpr std::size_t kPiecedLineLength = 2000;
  // Pieces stay shorter than the longest text the view caches a measure of.
  static constexpr std::size_t kMaxPieceLength = 29;

  // `table` must outlive the lexer.
  PolicyLexer(const KeywordTable& table, QObject* parent = nullptr);

  const char* language() const override { return "Tarvex policy"; }
  QString description(int style) const override;
  void styleText(int start, int end) override;

  // Takes the colours of `palette` (the view calls it when the theme changes).
  void ApplyPalette(const QPalette& palette);

 private:
  // Styles one line of text starting at document position `at`;
  // `continued` when the line before ended an entry value with "\".
  // Returns whether this line's value ends with "\".
  bool StyleLine(std::string_view line, bool continued);
  // Cuts the styles of `line` (from `styles_`'s byte `from` on) into pieces.
  void CutIntoPieces(std::string_view line, std::size_t from);

  // The styles of the text being styled, one byte a character.
  std::string styles_;

  const KeywordTable& table_;
};

}  // namespace tarvex::app

#endif  // TARVEX_APP_CHECKING_POLICY_LEXER_H_
