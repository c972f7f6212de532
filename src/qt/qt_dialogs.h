// The real dialogs: Qt's message boxes, file dialogs and print dialogs.
#ifndef TARVEX_QT_QT_DIALOGS_H_
#define TARVEX_QT_QT_DIALOGS_H_

#include "qt/dialogs.h"

namespace tarvex::qt {

class QtDialogs : public Dialogs {
 public:
  void Message(QWidget* parent, const QString& text, Icon icon) override;
  Answer AskToSave(QWidget* parent, const QString& text) override;
  QString OpenFileName(QWidget* parent, const QString& title, const QStringList& filters) override;
  QString SaveFileName(QWidget* parent, const QString& title, const QStringList& filters,
                       const QString& proposed) override;
  bool PrintDialog(QWidget* parent, QPrinter& printer) override;
  bool PrintSetup(QWidget* parent, QPrinter& printer) override;
  int PrintPreview(QWidget* parent, QPrinter& printer, int pages,
                   const std::function<void(QPrinter*)>& paint) override;
  void Run(QDialog& dialog) override;
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_QT_DIALOGS_H_
