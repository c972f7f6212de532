// Everything the editor does with a source while it is typed: highlighting,
// the check with its underlines and fault count, fault navigation, keyword
// completion and calltips, and the commands that drive them. The frame
// creates one, adds its actions to the View menu and its label to the
// status bar.
#ifndef TARVEX_QT_CHECKING_SOURCE_CHECKING_H_
#define TARVEX_QT_CHECKING_SOURCE_CHECKING_H_

#include <QList>
#include <QObject>

#include "keywords/keyword_table.h"

class QAction;
class QLabel;

namespace tarvex::qt {

class CTarvexView;
class KeywordAssist;
class LiveCheck;
class PolicyLexer;

class SourceChecking : public QObject {
  Q_OBJECT

 public:
  // `view` and `table` must outlive this object; `window` holds the actions.
  SourceChecking(CTarvexView* view, const KeywordTable& table, QWidget* window);

  // Check While Typing (checkable, on), Next Fault (F8), Previous Fault
  // (Shift+F8), Complete Keyword (Ctrl+Space), keyed by command id.
  QAction* action(int id) const;
  QList<QAction*> actions() const { return actions_; }

  // The status-bar pane with the fault count.
  QLabel* countLabel() const { return count_; }

  LiveCheck* check() const { return check_; }
  KeywordAssist* assist() const { return assist_; }
  PolicyLexer* lexer() const { return lexer_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAction* AddAction(int id, const QKeySequence& key);
  void UpdateCount(int visited = -1);

  CTarvexView* view_;
  PolicyLexer* lexer_;
  LiveCheck* check_;
  KeywordAssist* assist_;
  QLabel* count_;
  QList<QAction*> actions_;
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_CHECKING_SOURCE_CHECKING_H_
