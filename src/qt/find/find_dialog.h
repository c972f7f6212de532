// The Find and Replace dialog: non-modal, reachable by keyboard alone, every
// control named for screen readers. It only collects what to look for; the
// searching is FindController's.
#ifndef TARVEX_QT_FIND_FIND_DIALOG_H_
#define TARVEX_QT_FIND_FIND_DIALOG_H_

#include <QDialog>

#include "qt/find/text_search.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvex::qt {

class FindDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FindDialog(QWidget* owner);

  // Shows the dialog as Find (replace controls hidden) or Replace, with
  // `pattern` proposed and selected, and gives it the focus.
  void Open(bool replace, const QString& pattern);

  QString pattern() const;
  QString replacement() const;
  SearchOptions options() const;

  QLineEdit* findEdit() const { return find_; }
  QLineEdit* replaceEdit() const { return replace_; }

 signals:
  void findRequested(bool forward);
  void replaceRequested();
  void replaceAllRequested();

 private:
  QLineEdit* find_;
  QLabel* replaceLabel_;
  QLineEdit* replace_;
  QCheckBox* matchCase_;
  QCheckBox* wholeWord_;
  QPushButton* next_;
  QPushButton* previous_;
  QPushButton* replaceOne_;
  QPushButton* replaceAll_;
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_FIND_FIND_DIALOG_H_
