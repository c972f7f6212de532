#include "qt/status_bar.h"

#include <QLabel>
#include <QStatusTipEvent>

#include "platform/resource_ids.h"
#include "qt/text_codec.h"

namespace tarvex::qt {

CTarvexStatusBar::CTarvexStatusBar(QWidget* frame) : QStatusBar(frame) {
  setObjectName(QStringLiteral("m_wndStatus"));
  ready_ = new QLabel(LoadText(IDS_IDLE_MESSAGE), this);
  ready_->setAccessibleDescription(QStringLiteral("Status"));
  addWidget(ready_, 1);
  caps_ = AddPane(ID_INDICATOR_CAPS, QStringLiteral("Caps Lock"));
  num_ = AddPane(ID_INDICATOR_NUM, QStringLiteral("Num Lock"));
  scroll_ = AddPane(ID_INDICATOR_SCRL, QStringLiteral("Scroll Lock"));
  lineColumn_ = AddPane(ID_INDICATOR_LINECOL, QStringLiteral("Line and column"));
  // Prompts go into the first pane's label rather than being painted over
  // the bar, which no screen reader could read.
  if (frame) frame->installEventFilter(this);
}

QLabel* CTarvexStatusBar::AddPane(int id, const QString& role) {
  auto* pane = new QLabel(this);
  pane->setAccessibleDescription(role);
  pane->setAlignment(Qt::AlignCenter);
  pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  const int margins = 2 * (pane->frameWidth() + pane->margin()) + 8;
  pane->setFixedWidth(pane->fontMetrics().horizontalAdvance(LoadText(id)) + margins);
  addPermanentWidget(pane);
  return pane;
}

bool CTarvexStatusBar::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
    ready_->setText(tip.isEmpty() ? LoadText(IDS_IDLE_MESSAGE) : tip);
    return true;
  }
  return QStatusBar::eventFilter(watched, event);
}

void CTarvexStatusBar::ShowNotice(const QString& text) {
  ready_->setText(text);
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

QLabel* CTarvexStatusBar::Pane(int id) const {
  switch (id) {
    case ID_SEPARATOR:
      return ready_;
    case ID_INDICATOR_CAPS:
      return caps_;
    case ID_INDICATOR_NUM:
      return num_;
    case ID_INDICATOR_SCRL:
      return scroll_;
    case ID_INDICATOR_LINECOL:
      return lineColumn_;
  }
  return nullptr;
}

QString CTarvexStatusBar::PaneText(int id) const {
  const QLabel* pane = Pane(id);
  return pane ? pane->text() : QString();
}

}  // namespace tarvex::qt
