#include "qt/find/find_controller.h"

#include <QApplication>
#include <QLineEdit>

#include "platform/message_format.h"
#include "platform/resource_ids.h"
#include "qt/find/find_dialog.h"
#include "qt/find/go_to_line_dialog.h"
#include "qt/tarvex_view.h"
#include "qt/text_codec.h"

namespace tarvex::qt {

FindController::FindController(CTarvexView& view, QWidget* owner)
    : QObject(owner), view_(view), owner_(owner) {}

FindDialog* FindController::findDialog() {
  if (!find_) {
    find_ = new FindDialog(owner_);
    connect(find_, &FindDialog::findRequested, this, [this](bool forward) { Find(forward); });
    connect(find_, &FindDialog::replaceRequested, this, &FindController::ReplaceOne);
    connect(find_, &FindDialog::replaceAllRequested, this, &FindController::ReplaceAll);
  }
  return find_;
}

GoToLineDialog* FindController::goToLineDialog() {
  if (!goTo_) {
    goTo_ = new GoToLineDialog(owner_);
    connect(goTo_, &GoToLineDialog::goToRequested, this, &FindController::GoToRow);
  }
  return goTo_;
}

void FindController::OpenFind(bool replace) {
  // A short one-line selection is what the user most likely looks for.
  ViewSearch search(view_);
  const std::optional<std::string> proposed =
      shell::ProposedFindText(search.Text(), search.Selection());
  findDialog()->Open(replace, proposed ? FromBytes(*proposed) : QString());
}

void FindController::OnEditFind() {
  OpenFind(false);
}

void FindController::OnEditReplace() {
  OpenFind(true);
}

void FindController::OnFindNext(bool forward) {
  if (!find_ || find_->pattern().isEmpty()) return OpenFind(false);
  Find(forward);
}

bool FindController::Find(bool forward) {
  const QString text = findDialog()->pattern();
  ViewSearch search(view_);
  // Text the code page cannot hold is in no policy file.
  if (shell::FindNext(search, ToCodePage(text), find_->options(), forward) !=
      shell::FindOutcome::kFound) {
    QApplication::beep();
    emit notice(FromMessage(FormatMessage(IDS_FIND_NOT_FOUND, {text.toStdString()})));
    return false;
  }
  return true;
}

std::optional<std::string> FindController::Replacement() {
  std::optional<std::string> bytes = ToCodePage(find_->replacement());
  if (!bytes) {
    emit notice(
        FromMessage(FormatMessage(IDS_NOT_IN_CODE_PAGE, {find_->replacement().toStdString()})));
  }
  return bytes;
}

void FindController::ReplaceOne() {
  const std::optional<std::string> replacement = Replacement();
  if (!replacement) return;
  ViewSearch search(view_);
  switch (shell::ReplaceAndFindNext(search, ToCodePage(find_->pattern()), *replacement,
                                    find_->options(), CTarvexView::kTextLimit)) {
    case shell::FindOutcome::kFound:
      break;
    case shell::FindOutcome::kNotFound:
      QApplication::beep();
      emit notice(FromMessage(FormatMessage(IDS_FIND_NOT_FOUND, {find_->pattern().toStdString()})));
      break;
    case shell::FindOutcome::kTooLong:
      QApplication::beep();  // checked first: the view would delete, then refuse
      break;
  }
}

void FindController::ReplaceAll() {
  const std::optional<std::string> pattern = ToCodePage(find_->pattern());
  const std::optional<std::string> replacement = Replacement();
  if (!replacement) return;
  ViewSearch search(view_);
  const std::optional<int> count =
      shell::ReplaceEvery(search, pattern, *replacement, find_->options(), CTarvexView::kTextLimit);
  if (!count) {
    QApplication::beep();  // the text would pass the length limit
    return;
  }
  if (*count == 0) {
    emit notice(FromMessage(FormatMessage(IDS_FIND_NOT_FOUND, {find_->pattern().toStdString()})));
  } else {
    emit notice(FromMessage(FormatMessage(IDS_REPLACED_COUNT, {*count})));
  }
}

void FindController::OnGoToLine() {
  const long caret = view_.SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
  goToLineDialog()->Open(view_.LineColumnAt(caret).line, RowCount(view_));
}

void FindController::GoToRow(long row) {
  view_.SendScintilla(QsciScintillaBase::SCI_GOTOPOS,
                      static_cast<unsigned long>(RowStart(view_, row)));
  view_.setFocus(Qt::OtherFocusReason);
}

}  // namespace tarvex::qt
