#include "qt/checking/source_checking.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>

#include "platform/code_page_1252.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "qt/checking/keyword_assist.h"
#include "qt/checking/live_check.h"
#include "qt/checking/policy_lexer.h"
#include "qt/tarvex_view.h"
#include "shell/frame_tables.h"

namespace tarvex::qt {

SourceChecking::SourceChecking(CTarvexView* view, const KeywordTable& table, QWidget* window)
    : QObject(window), view_(view) {
  lexer_ = new PolicyLexer(table, this);
  // Styles are drawn in the view's own fixed-pitch font, so that columns
  // line up as they do without highlighting.
  lexer_->setDefaultFont(view_->font());
  lexer_->ApplyPalette(view_->palette());
  view_->setLexer(lexer_);
  check_ = new LiveCheck(view_, table, this);
  assist_ = new KeywordAssist(view_, table, this);
  count_ = new QLabel(window);
  count_->setObjectName(QStringLiteral("faultCount"));
  count_->setAccessibleName(tr("Faults"));

  QAction* toggle = AddAction(ID_VIEW_CHECK_WHILE_TYPING, QKeySequence());
  toggle->setCheckable(true);
  toggle->setChecked(true);
  connect(toggle, &QAction::toggled, this, [this](bool on) {
    check_->SetEnabled(on);
    assist_->SetEnabled(on);
    action(ID_NEXT_FAULT)->setEnabled(on);
    action(ID_PREV_FAULT)->setEnabled(on);
  });
  connect(AddAction(ID_NEXT_FAULT, QKeySequence(Qt::Key_F8)), &QAction::triggered, check_,
          &LiveCheck::GoToNext);
  connect(AddAction(ID_PREV_FAULT, QKeySequence(Qt::SHIFT | Qt::Key_F8)), &QAction::triggered,
          check_, &LiveCheck::GoToPrevious);
  connect(AddAction(ID_COMPLETE_KEYWORD, QKeySequence(Qt::CTRL | Qt::Key_Space)),
          &QAction::triggered, assist_, &KeywordAssist::ShowCompletions);
  for (QAction* a : actions_) window->addAction(a);

  connect(check_, &LiveCheck::faultsChanged, this, [this] { UpdateCount(); });
  connect(check_, &LiveCheck::faultVisited, this, [this](int index) { UpdateCount(index); });
  // The view's own key map would swallow these keys before the window's shortcuts.
  view_->installEventFilter(this);
  UpdateCount();
}

namespace {

// The menu caption with its mnemonic; the keys are the actions' shortcuts.
QString Caption(int id) {
  for (const shell::CheckingCommand& command : shell::CheckingCommands()) {
    if (command.id == id) return QString::fromLatin1(command.caption);
  }
  return QString();
}

}  // namespace

QAction* SourceChecking::AddAction(int id, const QKeySequence& key) {
  const std::string_view text = LoadStringText(id);
  auto* a = new QAction(Caption(id), this);
  a->setToolTip(
      QString::fromLatin1(ToolTipOf(text).data(), static_cast<int>(ToolTipOf(text).size())));
  a->setData(id);
  a->setStatusTip(
      QString::fromLatin1(PromptOf(text).data(), static_cast<int>(PromptOf(text).size())));
  if (!key.isEmpty()) a->setShortcut(key);
  actions_ << a;
  return a;
}

QAction* SourceChecking::action(int id) const {
  for (QAction* a : actions_) {
    if (a->data().toInt() == id) return a;
  }
  return nullptr;
}

void SourceChecking::UpdateCount(int visited) {
  QString text = check_->CountText();
  if (visited >= 0 && visited < static_cast<int>(check_->faults().size())) {
    // Going to a fault reads its message out, not only the count.
    text = QString::fromStdString(Cp1252ToUtf8(check_->VisitText(visited)));
  }
  count_->setText(text);
  count_->setAccessibleDescription(text);
  count_->setVisible(!text.isEmpty());
}

bool SourceChecking::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_ && event->type() == QEvent::PaletteChange) {
    // A new theme: the highlighting takes its colours afresh.
    lexer_->ApplyPalette(view_->palette());
    view_->recolor();
  }
  if (watched == view_ && event->type() == QEvent::ShortcutOverride) {
    // Let the window's shortcuts have F8, Shift+F8 and Ctrl+Space.
    auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (QAction* a : actions_) {
      if (!a->shortcut().isEmpty() && a->shortcut() == pressed) {
        event->ignore();
        return true;
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tarvex::qt
