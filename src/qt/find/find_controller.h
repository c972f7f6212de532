// Find, Find Next, Find Previous, Replace and Go to Line for the text view.
// Owns the two non-modal dialogs; says what it could not do through
// notice(), which the frame shows in its status bar.
#ifndef TARVEX_QT_FIND_FIND_CONTROLLER_H_
#define TARVEX_QT_FIND_FIND_CONTROLLER_H_

#include <QObject>
#include <QPointer>
#include <QString>
#include <optional>
#include <string>

#include "qt/find/text_search.h"
#include "shell/editor_commands.h"

class QWidget;

namespace tarvex::qt {

class CTarvexView;
class FindDialog;
class GoToLineDialog;

class FindController : public QObject, public shell::FindCommands {
  Q_OBJECT

 public:
  FindController(CTarvexView& view, QWidget* owner);

  void OnEditFind() override;
  void OnEditReplace() override;
  // Find Next (forward) and Find Previous; without a search yet, opens Find.
  void OnFindNext(bool forward) override;
  void OnGoToLine() override;

  // Created on first use.
  FindDialog* findDialog();
  GoToLineDialog* goToLineDialog();

 signals:
  void notice(const QString& text);

 private:
  void OpenFind(bool replace);
  bool Find(bool forward);
  // The replacement text as bytes of the code page; nothing, with a notice,
  // when it holds a character the code page cannot.
  std::optional<std::string> Replacement();
  void ReplaceOne();
  void ReplaceAll();
  void GoToRow(long row);

  CTarvexView& view_;
  QWidget* owner_;
  QPointer<FindDialog> find_;
  QPointer<GoToLineDialog> goTo_;
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_FIND_FIND_CONTROLLER_H_
