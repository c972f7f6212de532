// CMainFrame: the main window. It presents the document in the text view
// with the menu, the toolbar with the keyword browser and the status bar;
// what Generate, Open, drops and the keyword browser do is the core's
// MainFrameLogic, which this window derives from.
#ifndef TARVEX_QT_MAIN_FRAME_H_
#define TARVEX_QT_MAIN_FRAME_H_

#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <QTimer>
#include <functional>

#include "commands/main_frame_logic.h"
#include "shell/command_router.h"
#include "shell/editor_commands.h"

class QAction;
class QMenu;

namespace tarvex::qt {

class CKeywordToolBar;
class CTarvexApp;
class CTarvexDoc;
class CTarvexStatusBar;
class CTarvexView;
class Dialogs;
class FindController;
class HelpViewer;
class SourceChecking;

class CMainFrame : public QMainWindow, public MainFrameLogic, private shell::EditorCommands {
  Q_OBJECT

 public:
  CMainFrame(CTarvexApp& app, WindowSystem& ws, Dialogs& dialogs);
  ~CMainFrame() override;

  // The creation step: toolbar, status bar, docking, then the keyword boxes
  // and keyword.txt. 0 when the frame is complete, -1 when it failed (the
  // failing step has shown its own message, if any).
  int OnCreate();

  // Ties the frame to its document: title, Save and Save As.
  void SetDocument(CTarvexDoc* doc);

  // Runs a command by id, as its menu item or key would. False when no one
  // handles it.
  bool ExecuteCommand(int id);

  // Shows the window, brings it to the front and gives it the focus.
  void ActivateFrame();

  // Refreshes the status bar's panes now, as at an idle moment; the lock
  // panes too when `locks` (they ask the display server).
  void UpdateStatusPanes(bool locks = true);

  void OnHelpContents();

  // The frame of an object opened from a container (embedding/
  // embedded_frame.cpp): menu and accelerators 5; Update runs `onUpdate`,
  // and Exit or the close box hide the frame and run `onClose` instead of
  // ending the application.
  void EnterServerMode(std::function<void()> onUpdate, std::function<void()> onClose);
  // The container's name for the object, for "&Update %1" and "E&xit && Return to %1".
  void SetHostObjectName(const QString& objectName);

  CTarvexView* view() const { return view_; }
  CKeywordToolBar* m_wndTools;
  CTarvexStatusBar* m_wndStatus;

  // The action of a command id (menus, toolbar and keys share it).
  QAction* action(int id) const { return actions_.value(id); }
  HelpViewer* helpViewer() const;
  // Highlighting, checking while typing and completion (after OnCreate).
  SourceChecking* checking() const { return checking_; }

 protected:
  void closeEvent(QCloseEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // frame_commands.cpp: the command table, the actions and the menus.
  void RegisterCommands();
  // What the commands do here (shell/editor_commands.h).
  void Undo() override;
  void Redo() override;
  void Cut() override;
  void Copy() override;
  void Paste() override;
  void SelectAll() override;
  void FocusView() override;
  void Print() override { OnFilePrint(); }
  void PrintPreview() override { OnFilePrintPreview(); }
  void Save() override;
  void SaveAs() override;
  void HelpContents() override { OnHelpContents(); }
  void ToggleToolbar() override;
  void ToggleStatusBar() override;
  void CreateActions();
  void CreateMenus();
  void ConnectEnabledStates();
  void UpdateRecentFileMenu();
  void OnFilePrint();
  void OnFilePrintPreview();
  void OnViewToolbar(bool show);
  void OnViewStatusBar(bool show);

  void UpdateTitle();
  // Refreshes the panes at the next idle moment; the lock panes only after
  // a key or a change of the active window.
  void RequestIdleUpdate(bool locks = false);

  CTarvexApp& app_;
  Dialogs& dialogs_;
  CTarvexView* view_;
  CTarvexDoc* doc_ = nullptr;
  shell::CommandRouter router_;
  QMap<int, QAction*> actions_;
  QMenu* fileMenu_ = nullptr;
  QMenu* editMenu_ = nullptr;
  QMenu* viewMenu_ = nullptr;
  SourceChecking* checking_ = nullptr;
  QList<QAction*> recentActions_;
  QPointer<HelpViewer> help_;
  FindController* find_ = nullptr;  // Find, Replace and Go to Line
  QTimer idle_;
  bool idleLocks_ = true;
  std::function<void()> onServerClose_;
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_MAIN_FRAME_H_
