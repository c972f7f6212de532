// The main frame as the own window of an object opened from a container:
// menu 5 and accelerators 5 in place of menu and accelerators 128.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "platform/message_format.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "qt/main_frame.h"
#include "qt/resources/frame_resources.h"
#include "qt/tarvex_doc.h"
#include "qt/tarvex_view.h"
#include "qt/text_codec.h"

namespace tarvex::qt {
namespace {

QString Caption(int id) {
  for (const resources::Menu& menu : resources::EmbeddedMenu()) {
    for (const resources::MenuItem& item : menu.items) {
      // The key after the tab is the action's shortcut, which the menu shows.
      if (item.id == id) return QString::fromLatin1(item.caption).section(QLatin1Char('\t'), 0, 0);
    }
  }
  return QString();
}

QString Part(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void CMainFrame::EnterServerMode(std::function<void()> onUpdate, std::function<void()> onClose) {
  onServerClose_ = std::move(onClose);
  router_.Add(ID_FILE_UPDATE, std::move(onUpdate));
  router_.Add(ID_FILE_SAVE_COPY_AS, [this] {
    if (doc_) doc_->OnFileSaveCopyAs();
  });
  for (int id : {ID_FILE_UPDATE, ID_FILE_SAVE_COPY_AS}) {
    if (actions_.contains(id)) continue;
    auto* action = new QAction(Caption(id), this);
    action->setData(id);
    const std::string_view text = LoadStringText(id);
    action->setStatusTip(Part(PromptOf(text)));
    action->setToolTip(Part(ToolTipOf(text)));
    action->setIconText(Part(ToolTipOf(text)));
    connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
    addAction(action);
    actions_.insert(id, action);
  }

  // Accelerators 5 only: New, Open and Save have no keys here.
  for (QAction* action : std::as_const(actions_)) action->setShortcuts({});
  for (const resources::Accelerator& key : resources::EmbeddedAccelerators()) {
    QAction* action = actions_.value(key.id);
    if (!action) continue;
    QList<QKeySequence> keys = action->shortcuts();
    keys << QKeySequence(QString::fromLatin1(key.keys), QKeySequence::PortableText);
    action->setShortcuts(keys);
  }

  menuBar()->clear();
  for (const resources::Menu& table : resources::EmbeddedMenu()) {
    QMenu* menu = menuBar()->addMenu(QString::fromLatin1(table.caption));
    for (const resources::MenuItem& item : table.items) {
      if (item.id == ID_SEPARATOR) {
        menu->addSeparator();
      } else {
        menu->addAction(actions_.value(item.id));
      }
    }
    if (table.items.front().id == ID_EDIT_UNDO) {
      QAction* undo = actions_.value(ID_EDIT_UNDO);
      connect(menu, &QMenu::aboutToShow, this,
              [this, undo] { undo->setEnabled(view_->CanUndo()); });
    }
  }
  SetHostObjectName(QString());
}

void CMainFrame::SetHostObjectName(const QString& objectName) {
  QAction* update = actions_.value(ID_FILE_UPDATE);
  QAction* exit = actions_.value(ID_APP_EXIT);
  if (!update || !exit) return;
  if (objectName.isEmpty()) {
    update->setText(Caption(ID_FILE_UPDATE));
    exit->setText(Caption(ID_APP_EXIT));
    return;
  }
  QString name = objectName;
  name.replace(QLatin1Char('&'), QStringLiteral("&&"));  // a name's "&" is no mnemonic
  const std::string shown = ToPath(name);
  update->setText(FromMessage(FormatMessage(IDS_UPDATE_MENU, {shown})));
  exit->setText(FromMessage(FormatMessage(IDS_EXIT_MENU, {shown})));
}

}  // namespace tarvex::qt
