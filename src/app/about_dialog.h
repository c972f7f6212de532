// CAboutDlg: the About box, dialog 100.
#ifndef TARVEX_APP_ABOUT_DIALOG_H_
#define TARVEX_APP_ABOUT_DIALOG_H_

#include <QDialog>

namespace tarvex::app {

class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace tarvex::app

#endif  // TARVEX_APP_ABOUT_DIALOG_H_
