// The Go to Line dialog: non-modal, one number, the row counted as the line
// and column indicator counts it.
#ifndef TARVEX_QT_FIND_GO_TO_LINE_DIALOG_H_
#define TARVEX_QT_FIND_GO_TO_LINE_DIALOG_H_

#include <QDialog>

class QLabel;
class QSpinBox;

namespace tarvex::qt {

class GoToLineDialog : public QDialog {
  Q_OBJECT

 public:
  explicit GoToLineDialog(QWidget* owner);

  // Shows the dialog for rows 1 to `rows`, proposing `current`.
  void Open(long current, long rows);

  QSpinBox* lineBox() const { return line_; }

 signals:
  void goToRequested(long row);

 private:
  QLabel* label_;
  QSpinBox* line_;
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_FIND_GO_TO_LINE_DIALOG_H_
