// The main frame's status bar, m_wndStatus: five panes. The first shows
// the prompt of the highlighted command or "Ready"; then "CAP", "NUM" and
// "SCRL" while their lock is on; then the caret's line and column. Each
// pane after the first is as wide as its string-table text.
#ifndef TARVEX_APP_STATUS_BAR_H_
#define TARVEX_APP_STATUS_BAR_H_

#include <QStatusBar>

#include "app/lock_keys.h"

class QLabel;

namespace tarvex::app {

class CTarvexStatusBar : public QStatusBar {
  Q_OBJECT

 public:
  explicit CTarvexStatusBar(QWidget* parent = nullptr);

  void SetLockKeys(const LockKeyState& state);
  void SetLineColumn(const QString& text);

  // The text a pane shows now, by the pane's id (0 for the first).
  QString PaneText(int id) const;

 private:
  QLabel* AddPane(int id, const QString& accessibleName);

  QLabel* ready_;
  QLabel* caps_;
  QLabel* num_;
  QLabel* scroll_;
  QLabel* lineColumn_;
};

}  // namespace tarvex::app

#endif  // TARVEX_APP_STATUS_BAR_H_
