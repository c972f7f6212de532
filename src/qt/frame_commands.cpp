// The main frame's commands: which handler each command id reaches, the
// one action per command that menus, toolbar and keys share, the menus,
// and the enabled and checked states that follow the view and the bars.
#include <Qsci/qsciprinter.h>

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "qt/dialogs.h"
#include "qt/find/find_controller.h"
#include "qt/keyword_toolbar.h"
#include "qt/main_frame.h"
#include "qt/printing.h"
#include "qt/resources/frame_resources.h"
#include "qt/status_bar.h"
#include "qt/tarvex_app.h"
#include "qt/tarvex_doc.h"
#include "qt/tarvex_view.h"
#include "qt/text_codec.h"

namespace tarvex::qt {
namespace {
QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

void CMainFrame::RegisterCommands() {
  find_ = new FindController(*view_, this);
  connect(find_, &FindController::notice, m_wndStatus, &CTarvexStatusBar::ShowNotice);
  shell::BindEditorCommands(router_, *this, *find_, app_, *this);
}

void CMainFrame::Undo() {
  view_->undo();
}

void CMainFrame::Redo() {
  view_->redo();
}

void CMainFrame::Cut() {
  view_->cut();
}

void CMainFrame::Copy() {
  view_->copy();
}

void CMainFrame::Paste() {
  view_->paste();
}

void CMainFrame::SelectAll() {
  view_->selectAll();
}

void CMainFrame::FocusView() {
  view_->setFocus(Qt::ShortcutFocusReason);
}

void CMainFrame::ToggleToolbar() {
  OnViewToolbar(m_wndTools->isHidden());
}

void CMainFrame::ToggleStatusBar() {
  OnViewStatusBar(m_wndStatus->isHidden());
}

void CMainFrame::Save() {
  if (doc_) doc_->OnFileSave();
}

void CMainFrame::SaveAs() {
  if (doc_) doc_->OnFileSaveAs();
}

void CMainFrame::CreateActions() {
  auto make = [this](int id, const QString& caption) {
    // The shortcut text after the tab is the action's key, which the menu
    // shows itself; left in the text it would be read out as the item's name.
    auto* action = new QAction(caption.section(QLatin1Char('\t'), 0, 0), this);
    action->setData(id);
    const std::string_view text = LoadStringText(id);
    action->setStatusTip(ToQString(PromptOf(text)));
    // The short name buttons show and screen readers read: the tool tip,
    // or the caption without its mnemonic and shortcut text.
    QString shortName = ToQString(ToolTipOf(text));
    if (shortName.isEmpty()) shortName = caption.section(QLatin1Char('\t'), 0, 0).remove('&');
    if (!ToolTipOf(text).empty()) action->setToolTip(shortName);
    action->setIconText(shortName);
    connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
    addAction(action);  // its keys work wherever the focus is in the window
    actions_.insert(id, action);
    return action;
  };
  for (const resources::Menu& menu : resources::MainMenu()) {
    for (const resources::MenuItem& item : menu.items) {
      if (item.id != ID_SEPARATOR && item.id != ID_FILE_MRU_FILE1) {
        make(item.id, QString::fromLatin1(item.caption));
      }
    }
  }
  for (int n = 0; n < shell::RecentFileList::kSize; ++n) make(ID_FILE_MRU_FILE1 + n, QString());
  for (const resources::Accelerator& key : resources::MainAccelerators()) {
    QAction* action = actions_.value(key.id);
    if (!action) action = make(key.id, ToQString(ToolTipOf(LoadStringText(key.id))));
    QList<QKeySequence> keys = action->shortcuts();
    keys << QKeySequence(QString::fromLatin1(key.keys), QKeySequence::PortableText);
    action->setShortcuts(keys);
  }
  actions_.value(ID_VIEW_TOOLBAR)->setCheckable(true);
  actions_.value(ID_VIEW_STATUS_BAR)->setCheckable(true);

  // F1, the platform's help request, shows the contents from anywhere in the window.
  auto* helpKey = new QAction(this);
  helpKey->setShortcut(QKeySequence::HelpContents);
  connect(helpKey, &QAction::triggered, this, &CMainFrame::OnHelpContents);
  addAction(helpKey);
}

void CMainFrame::CreateMenus() {
  for (const resources::Menu& table : resources::MainMenu()) {
    QMenu* menu = menuBar()->addMenu(QString::fromLatin1(table.caption));
    for (const resources::MenuItem& item : table.items) {
      if (item.id == ID_SEPARATOR) {
        menu->addSeparator();
      } else if (item.id == ID_FILE_MRU_FILE1) {
        QAction* placeholder = menu->addAction(QString::fromLatin1(item.caption));
        placeholder->setEnabled(false);
        recentActions_ << placeholder;
        for (int n = 0; n < shell::RecentFileList::kSize; ++n) {
          menu->addAction(actions_.value(ID_FILE_MRU_FILE1 + n));
        }
      } else {
        menu->addAction(actions_.value(item.id));
      }
    }
    if (table.items.front().id == ID_FILE_NEW) fileMenu_ = menu;
    if (table.items.front().id == ID_EDIT_UNDO) editMenu_ = menu;
    if (table.items.front().id == ID_VIEW_TOOLBAR) viewMenu_ = menu;
  }
  connect(&app_, &CTarvexApp::recentFilesChanged, this, &CMainFrame::UpdateRecentFileMenu);
  UpdateRecentFileMenu();
}

void CMainFrame::UpdateRecentFileMenu() {
  const std::vector<std::string>& paths = app_.recentFiles().paths();
  recentActions_.front()->setVisible(paths.empty());
  for (int n = 0; n < shell::RecentFileList::kSize; ++n) {
    QAction* entry = actions_.value(ID_FILE_MRU_FILE1 + n);
    const bool listed = n < static_cast<int>(paths.size());
    entry->setVisible(listed);
    if (listed) {
      entry->setText(QString::fromUtf8(
          shell::RecentFileList::MenuText(n, paths[static_cast<std::size_t>(n)]).c_str()));
    }
  }
}

void CMainFrame::ConnectEnabledStates() {
  QAction* undo = actions_.value(ID_EDIT_UNDO);
  QAction* cut = actions_.value(ID_EDIT_CUT);
  QAction* copy = actions_.value(ID_EDIT_COPY);
  QAction* paste = actions_.value(ID_EDIT_PASTE);
  undo->setEnabled(view_->CanUndo());
  cut->setEnabled(view_->hasSelectedText());
  copy->setEnabled(view_->hasSelectedText());
  paste->setEnabled(view_->CanPaste());
  connect(view_, &CTarvexView::undoAvailable, undo, &QAction::setEnabled);
  connect(view_, &QsciScintilla::copyAvailable, cut, &QAction::setEnabled);
  connect(view_, &QsciScintilla::copyAvailable, copy, &QAction::setEnabled);
  connect(view_, &CTarvexView::pasteAvailable, paste, &QAction::setEnabled);
  QAction* redo = actions_.value(ID_EDIT_REDO);
  redo->setEnabled(view_->isRedoAvailable());
  connect(view_, &CTarvexView::undoAvailable, redo,
          [this, redo] { redo->setEnabled(view_->isRedoAvailable()); });
  // Undo has no signal of its own for every change: look again when the menu opens.
  connect(editMenu_, &QMenu::aboutToShow, this, [this, undo, redo] {
    undo->setEnabled(view_->CanUndo());
    redo->setEnabled(view_->isRedoAvailable());
  });
  view_->SetContextActions({undo, cut, copy, paste});

  QAction* toolbar = actions_.value(ID_VIEW_TOOLBAR);
  QAction* statusBar = actions_.value(ID_VIEW_STATUS_BAR);
  toolbar->setChecked(true);
  statusBar->setChecked(true);
  // The floating toolbar's close box hides it too.
  connect(m_wndTools, &QToolBar::visibilityChanged, this,
          [this, toolbar] { toolbar->setChecked(!m_wndTools->isHidden()); });
}

void CMainFrame::OnViewToolbar(bool show) {
  m_wndTools->setVisible(show);
  actions_.value(ID_VIEW_TOOLBAR)->setChecked(show);
}

void CMainFrame::OnViewStatusBar(bool show) {
  m_wndStatus->setVisible(show);
  actions_.value(ID_VIEW_STATUS_BAR)->setChecked(show);
  if (show) RequestIdleUpdate(true);  // the panes catch up
}

void CMainFrame::OnFilePrint() {
  QsciPrinter& printer = app_.printer();
  printer.setDocName(doc_ ? doc_->title() : QString());
  if (!dialogs_.PrintDialog(this, printer)) return;
  if (!PrintView(*view_, printer)) {
    dialogs_.Message(this, FromMessage(PrintFailure(printer).text), Dialogs::Icon::kWarning);
  }
}

void CMainFrame::OnFilePrintPreview() {
  QsciPrinter& printer = app_.printer();
  printer.setDocName(doc_ ? doc_->title() : QString());
  const int pages =
      dialogs_.PrintPreview(this, printer, app_.previewPages(),
                            [this, &printer](QPrinter*) { PrintView(*view_, printer); });
  app_.setPreviewPages(pages);
}

}  // namespace tarvex::qt
