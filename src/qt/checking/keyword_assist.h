// Keyword completion and the type calltip in the text view: the keywords
// of the dictionary are offered on request (Ctrl+Space) and by themselves
// once two letters of a keyword are typed at the start of an entry; after
// "=" a calltip shows the keyword's type and range.
#ifndef TARVEX_QT_CHECKING_KEYWORD_ASSIST_H_
#define TARVEX_QT_CHECKING_KEYWORD_ASSIST_H_

#include <QObject>

#include "keywords/keyword_table.h"

namespace tarvex::qt {

class CTarvexView;

class KeywordAssist : public QObject {
  Q_OBJECT

 public:
  static constexpr int kAutoPrefix = 2;  // letters typed before the list opens by itself

  // `view` and `table` must outlive the assist.
  KeywordAssist(CTarvexView* view, const KeywordTable& table, QObject* parent = nullptr);

  // Opens the list of keywords that complete what is written before the
  // caret; false (and nothing shown) outside a keyword or with no match.
  bool ShowCompletions();

  // Shows the calltip of the entry's keyword when the caret is in its value.
  bool ShowCalltip();

  void SetEnabled(bool enabled) { enabled_ = enabled; }

 private:
  void OnCharAdded(int ch);

  CTarvexView* view_;
  const KeywordTable& table_;
  bool enabled_ = true;
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_CHECKING_KEYWORD_ASSIST_H_
