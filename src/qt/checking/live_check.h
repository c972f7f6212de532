// Checking the text view while the user types: after a short pause every
// fault is underlined at the text Generate would select, its message shows
// when the mouse rests on it, and the faults can be visited in order.
// Generate itself is untouched; this only reads the view's text.
#ifndef TARVEX_QT_CHECKING_LIVE_CHECK_H_
#define TARVEX_QT_CHECKING_LIVE_CHECK_H_

#include <QObject>
#include <QString>
#include <QTimer>
#include <string>
#include <vector>

#include "keywords/keyword_table.h"
#include "shell/fault_list.h"

namespace tarvex::qt {

class CTarvexView;

class LiveCheck : public QObject {
  Q_OBJECT

 public:
  static constexpr int kIndicator = 8;  // the first indicator left to containers
  static constexpr int kPauseMs = shell::FaultList::kPauseMs;

  // `view` and `table` must outlive the check.
  LiveCheck(CTarvexView* view, const KeywordTable& table, QObject* parent = nullptr);

  // Turning the check off removes the underlines and forgets the faults.
  void SetEnabled(bool enabled);
  bool enabled() const { return enabled_; }

  // Checks at once instead of after the pause.
  void CheckNow();

  const std::vector<SourceFault>& faults() const { return list_.faults(); }

  // Selects the first fault after (before) the caret, going round at the
  // end; returns its index, or -1 when there is none.
  int GoToNext();
  int GoToPrevious();

  // Generate's whole message for the fault under `position`, or empty.
  QString MessageAt(long position) const;

  // "No faults", "1 fault", "N faults"; empty while the check is off.
  QString CountText() const;

  // "Fault 2 of 5: " and the first line of fault `index`'s message, in the
  // code page's bytes.
  std::string VisitText(int index) const { return list_.VisitText(index); }

 signals:
  // The faults were found afresh (or cleared).
  void faultsChanged();
  // The user went to fault `index`.
  void faultVisited(int index);

 private:
  void ShowUnderlines();
  void OnDwellStart(int position, int x, int y);
  int Select(int index);

  CTarvexView* view_;
  const KeywordTable& table_;
  QTimer pause_;
  bool enabled_ = true;
  shell::FaultList list_;
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_CHECKING_LIVE_CHECK_H_
