#include "app/status_bar.h"

#include <QLabel>

#include "app/text_codec.h"
#include "platform/resource_ids.h"

namespace tarvex::app {

CTarvexStatusBar::CTarvexStatusBar(QWidget* parent) : QStatusBar(parent) {
  setObjectName(QStringLiteral("m_wndStatus"));
  ready_ = new QLabel(LoadText(IDS_IDLE_MESSAGE), this);
  ready_->setAccessibleName(QStringLiteral("Status"));
  addWidget(ready_, 1);  // a prompt is shown over it and "Ready" comes back
  caps_ = AddPane(ID_INDICATOR_CAPS, QStringLiteral("Caps Lock"));
  num_ = AddPane(ID_INDICATOR_NUM, QStringLiteral("Num Lock"));
  scroll_ = AddPane(ID_INDICATOR_SCRL, QStringLiteral("Scroll Lock"));
  lineColumn_ = AddPane(ID_INDICATOR_LINECOL, QStringLiteral("Line and column"));
}

QLabel* CTarvexStatusBar::AddPane(int id, const QString& accessibleName) {
  auto* pane = new QLabel(this);
  pane->setAccessibleName(accessibleName);
  pane->setAlignment(Qt::AlignCenter);
  pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  const int margins = 2 * (pane->frameWidth() + pane->margin()) + 8;
  pane->setFixedWidth(pane->fontMetrics().horizontalAdvance(LoadText(id)) + margins);
  addPermanentWidget(pane);
  return pane;
}

void CTarvexStatusBar::SetLockKeys(const LockKeyState& state) {
  caps_->setText(state.caps ? LoadText(ID_INDICATOR_CAPS) : QString());
  num_->setText(state.num ? LoadText(ID_INDICATOR_NUM) : QString());
  scroll_->setText(state.scroll ? LoadText(ID_INDICATOR_SCRL) : QString());
}

void CTarvexStatusBar::SetLineColumn(const QString& text) {
  lineColumn_->setText(text);
  lineColumn_->setEnabled(true);
}

QString CTarvexStatusBar::PaneText(int id) const {
  switch (id) {
    case ID_SEPARATOR:
      return currentMessage().isEmpty() ? ready_->text() : currentMessage();
    case ID_INDICATOR_CAPS:
      return caps_->text();
    case ID_INDICATOR_NUM:
      return num_->text();
    case ID_INDICATOR_SCRL:
      return scroll_->text();
    case ID_INDICATOR_LINECOL:
      return lineColumn_->text();
  }
  return QString();
}

}  // namespace tarvex::app
