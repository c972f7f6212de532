// Highlighting of policy sources: comment and section lines, keywords the
// dictionary knows and those it does not, attributes in braces, the "=",
// values and the continuation backslash. Colours come from the palette, so
// light and dark themes stay readable.
//
// An edit within one line restyles that line at once, before the view lays
// it out again, so that a keystroke costs one layout of the line, not two;
// on a long line only the pieces from the edit to where the pieces fall as
// before are restyled. The styles always equal those of a fresh styling.
#ifndef TARVEX_QT_CHECKING_POLICY_LEXER_H_
#define TARVEX_QT_CHECKING_POLICY_LEXER_H_

#include <Qsci/qscilexercustom.h>

#include <string>
#include <string_view>
#include <utility>

#include "keywords/keyword_table.h"

namespace tarvex::qt {

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
  void setEditor(QsciScintilla* editor) override;

  // Takes the colours of `palette` (the view calls it when the theme changes).
  void ApplyPalette(const QPalette& palette);

 private:
  // Styles one line of text starting at document position `at`;
  // `continued` when the line before ended an entry value with "\".
  // Returns whether this line's value ends with "\".
  bool StyleLine(std::string_view line, bool continued);
  // Cuts the base styles `styles` of `line` into pieces, from `from` on,
  // where a piece starts with twin `twin` (-1: a run starts there). Stops at
  // the first piece start at or after `until` that `inStep` says the view
  // already holds, and returns where it stopped (the line's end if nowhere).
  template <typename InStep>
  std::size_t CutIntoPieces(std::string_view line, char* styles, std::size_t from, int twin,
                            std::size_t until, InStep inStep) const;
  // Whether line `line` continues the value of the line before it.
  bool ContinuesValue(long line) const;
  // Copies document line `line` into `lineText_`, with its start and end.
  std::pair<long, long> ReadLine(long line);
  // Restyles the line of a change of the text at once (see the top).
  void OnModified(int position, int type, int length, int linesAdded);

  // What a line looked like before a change in it, taken just before the change.
  struct Before {
    long position = -1;
    long lineStart = 0;
    bool styled = false;  // the whole line was styled
    long endStyled = 0;
    bool continues = false;  // the line's value goes on on the next line
    std::string styles;      // base styles of the line
  };
  Before before_;
  std::string lineText_;

  // The styles of the text being styled, one byte a character.
  std::string styles_;

  const KeywordTable& table_;
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_CHECKING_POLICY_LEXER_H_
