// Highlighting of policy sources: comment and section lines, keywords the
// dictionary knows and those it does not, attributes in braces, the "=",
// values and the continuation backslash. Colours come from the palette, so
// light and dark themes stay readable.
#ifndef TARVEX_APP_CHECKING_POLICY_LEXER_H_
#define TARVEX_APP_CHECKING_POLICY_LEXER_H_

#include <Qsci/qscilexercustom.h>

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

  const KeywordTable& table_;
};

}  // namespace tarvex::app

#endif  // TARVEX_APP_CHECKING_POLICY_LEXER_H_
