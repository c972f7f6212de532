// The main frame's status bar, m_wndStatus: five panes. The first shows
// the prompt of the highlighted command or "Ready"; then "CAP", "NUM" and
// "SCRL" while their lock is on; then the caret's line and column. Each
// pane after the first is as wide as its string-table text.
//
// Every pane is a label whose accessible name is the text it shows and
// whose description is its role, so a screen reader reads what is shown.
#ifndef TARVEX_QT_STATUS_BAR_H_
#define TARVEX_QT_STATUS_BAR_H_

#include <QStatusBar>

#include "qt/lock_keys.h"

class QLabel;

namespace tarvex::qt {

class CTarvexStatusBar : public QStatusBar {
  Q_OBJECT

 public:
  // `frame` is the window whose prompts (status tips) the first pane shows.
  explicit CTarvexStatusBar(QWidget* frame = nullptr);

  void SetLockKeys(const LockKeyState& state);
  void SetLineColumn(const QString& text);

  // Shows a notice in the first pane until the next prompt replaces it.
  void ShowNotice(const QString& text);

  // The text a pane shows now, by the pane's id (0 for the first).
  QString PaneText(int id) const;
  // The label of a pane, by the same id.
  QLabel* Pane(int id) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* AddPane(int id, const QString& role);

  QLabel* ready_;
  QLabel* caps_;
  QLabel* num_;
  QLabel* scroll_;
  QLabel* lineColumn_;
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_STATUS_BAR_H_
