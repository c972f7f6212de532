// CAboutDlg: the About box, dialog 100.
#ifndef TARVEX_QT_ABOUT_DIALOG_H_
#define TARVEX_QT_ABOUT_DIALOG_H_

#include <QDialog>

namespace tarvex::qt {

class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_ABOUT_DIALOG_H_
