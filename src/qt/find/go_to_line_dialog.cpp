#include "qt/find/go_to_line_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

namespace tarvex::qt {

GoToLineDialog::GoToLineDialog(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("GoToLineDialog"));
  setWindowTitle(QStringLiteral("Go to Line"));
  setModal(false);
  label_ = new QLabel(this);
  line_ = new QSpinBox(this);
  line_->setAccessibleName(QStringLiteral("Line number"));
  label_->setBuddy(line_);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* go = buttons->addButton(QStringLiteral("&Go"), QDialogButtonBox::AcceptRole);
  go->setDefault(true);
  buttons->addButton(QDialogButtonBox::Close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(line_);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    hide();
    emit goToRequested(line_->value());
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void GoToLineDialog::Open(long current, long rows) {
  const int last = static_cast<int>(std::clamp(rows, 1L, static_cast<long>(INT_MAX)));
  label_->setText(QStringLiteral("&Line number (1 to %1):").arg(last));
  line_->setRange(1, last);
  line_->setValue(static_cast<int>(std::clamp(current, 1L, static_cast<long>(last))));
  line_->selectAll();
  show();
  raise();
  activateWindow();
  line_->setFocus(Qt::OtherFocusReason);
}

}  // namespace tarvex::qt
