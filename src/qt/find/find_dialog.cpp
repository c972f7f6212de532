#include "qt/find/find_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvex::qt {
namespace {

QLineEdit* LabelledEdit(QWidget* parent, QLabel* label, const QString& name) {
  auto* edit = new QLineEdit(parent);
  edit->setAccessibleName(name);
  label->setBuddy(edit);
  return edit;
}

}  // namespace

FindDialog::FindDialog(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("FindDialog"));
  setModal(false);
  auto* findLabel = new QLabel(QStringLiteral("Fi&nd what:"), this);
  find_ = LabelledEdit(this, findLabel, QStringLiteral("Find what"));
  replaceLabel_ = new QLabel(QStringLiteral("Re&place with:"), this);
  replace_ = LabelledEdit(this, replaceLabel_, QStringLiteral("Replace with"));
  matchCase_ = new QCheckBox(QStringLiteral("Match &case"), this);
  wholeWord_ = new QCheckBox(QStringLiteral("Match &whole word only"), this);

  next_ = new QPushButton(QStringLiteral("Find &Next"), this);
  previous_ = new QPushButton(QStringLiteral("Find Pre&vious"), this);
  replaceOne_ = new QPushButton(QStringLiteral("&Replace"), this);
  replaceAll_ = new QPushButton(QStringLiteral("Replace &All"), this);
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  next_->setDefault(true);

  auto* form = new QFormLayout;
  form->addRow(findLabel, find_);
  form->addRow(replaceLabel_, replace_);
  form->addRow(matchCase_);
  form->addRow(wholeWord_);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {next_, previous_, replaceOne_, replaceAll_, close}) buttons->addWidget(b);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(form, 1);
  layout->addLayout(buttons);

  connect(next_, &QPushButton::clicked, this, [this] { emit findRequested(true); });
  connect(previous_, &QPushButton::clicked, this, [this] { emit findRequested(false); });
  connect(replaceOne_, &QPushButton::clicked, this, &FindDialog::replaceRequested);
  connect(replaceAll_, &QPushButton::clicked, this, &FindDialog::replaceAllRequested);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);  // Esc closes it too
  connect(find_, &QLineEdit::textChanged, this, [this](const QString& text) {
    for (QPushButton* b : {next_, previous_, replaceOne_, replaceAll_})
      b->setEnabled(!text.isEmpty());
  });
  for (QPushButton* b : {next_, previous_, replaceOne_, replaceAll_}) b->setEnabled(false);
}

void FindDialog::Open(bool replace, const QString& pattern) {
  setWindowTitle(replace ? QStringLiteral("Replace") : QStringLiteral("Find"));
  for (QWidget* w :
       std::initializer_list<QWidget*>{replaceLabel_, replace_, replaceOne_, replaceAll_}) {
    w->setVisible(replace);
  }
  if (!pattern.isEmpty()) find_->setText(pattern);
  find_->selectAll();
  adjustSize();
  show();
  raise();
  activateWindow();
  find_->setFocus(Qt::OtherFocusReason);
}

QString FindDialog::pattern() const {
  return find_->text();
}

QString FindDialog::replacement() const {
  return replace_->text();
}

SearchOptions FindDialog::options() const {
  return {matchCase_->isChecked(), wholeWord_->isChecked()};
}

}  // namespace tarvex::qt
