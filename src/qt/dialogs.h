// Every modal box and prompt the editor shows, behind one interface, so
// that tests answer them from a script and no real dialog ever waits.
#ifndef TARVEX_QT_DIALOGS_H_
#define TARVEX_QT_DIALOGS_H_

#include <QString>
#include <QStringList>
#include <functional>

class QDialog;
class QPrinter;
class QWidget;

namespace tarvex::qt {

class Dialogs {
 public:
  enum class Icon { kNone, kWarning };
  enum class Answer { kYes, kNo, kCancel };

  virtual ~Dialogs() = default;

  // A box captioned "Tarvex" with one OK button.
  virtual void Message(QWidget* parent, const QString& text, Icon icon) = 0;

  // "Save changes to %1?" with Yes, No and Cancel.
  virtual Answer AskToSave(QWidget* parent, const QString& text) = 0;

  // One existing file, or an empty string when the user cancels. `filters`
  // are Qt name filters, the first one chosen at first.
  virtual QString OpenFileName(QWidget* parent, const QString& title,
                               const QStringList& filters) = 0;

  // A name to save under, starting from `proposed`; the user is asked before
  // an existing file is replaced. Empty when cancelled.
  virtual QString SaveFileName(QWidget* parent, const QString& title, const QStringList& filters,
                               const QString& proposed) = 0;

  // The print dialog and the printer set-up dialog; true when accepted, with
  // the choices made on `printer`.
  virtual bool PrintDialog(QWidget* parent, QPrinter& printer) = 0;
  virtual bool PrintSetup(QWidget* parent, QPrinter& printer) = 0;

  // Print preview, opened with `pages` pages side by side (0: the viewer's
  // own choice), drawing each time through `paint`. Returns the number of
  // pages it showed side by side when it was closed.
  virtual int PrintPreview(QWidget* parent, QPrinter& printer, int pages,
                           const std::function<void(QPrinter*)>& paint) = 0;

  // Runs an application dialog (the About box) until it is closed.
  virtual void Run(QDialog& dialog) = 0;
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_DIALOGS_H_
