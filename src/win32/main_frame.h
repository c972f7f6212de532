// CMainFrame: the main window. It presents the document in the text view
// with the menu, the toolbar with the keyword browser and the status bar;
// what Generate, Open, drops and the keyword browser do is the core's
// MainFrameLogic, which this window derives from.
//
// Its window class is kWindowClass; child windows: the toolbar (id 59392),
// the status bar (59393) and the view (59648).
#ifndef TARVEX_WIN32_MAIN_FRAME_H_
#define TARVEX_WIN32_MAIN_FRAME_H_

#include <functional>
#include <memory>
#include <string>

#include "commands/main_frame_logic.h"
#include "shell/command_router.h"
#include "shell/editor_commands.h"
#include "shell/fault_list.h"
#include "win32/keyword_toolbar.h"
#include "win32/status_bar.h"
#include "win32/text_view.h"
#include "win32/win32_api.h"

namespace tarvex::win32 {

class CTarvexApp;
class CTarvexDoc;
class FindReplace;

class CMainFrame : public MainFrameLogic, private shell::EditorCommands {
 public:
  static constexpr wchar_t kWindowClass[] = L"TarvexMainFrame";
  // Sent by a test or a tool: runs the idle step at once (returns 1).
  static UINT RunIdleMessage();

  CMainFrame(CTarvexApp& app, WindowSystem& ws);
  ~CMainFrame() override;

  // Creates the window, hidden: toolbar, status bar, keyword boxes and
  // keyword.txt (OnCreate). False when a step failed; the failing step has
  // shown its own message, if any.
  bool Create();
  HWND hwnd() const { return hwnd_; }

  // Ties the frame to its document: title, Save and Save As.
  void SetDocument(CTarvexDoc* doc);

  // Runs a command by id, as its menu item or key would. False when no one
  // handles it.
  bool ExecuteCommand(int id);

  // Shows the window, brings it to the front and gives the view the focus.
  void ActivateFrame();

  // The idle step: status panes (when the bar is shown) and button states.
  void OnIdle();

  // Keys for the frame before they reach a window (accelerators, the Find
  // dialog, Ctrl+Tab between the view and the keyword box).
  bool PreTranslateMessage(MSG& msg);

  // The frame of an object opened from a container: menu and accelerators
  // 5; Update runs `onUpdate`, and Exit or the close box hide the frame and
  // run `onClose` instead of ending the application.
  void EnterServerMode(std::function<void()> onUpdate, std::function<void()> onClose);

  void UpdateRecentFileMenu();
  void UpdateTitle();

  CTarvexView& view() { return view_; }
  CKeywordToolBar m_wndTools;
  CTarvexStatusBar m_wndStatus;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  int OnCreate();
  void Layout();
  void OnCommand(WPARAM wparam, LPARAM lparam);
  LRESULT OnNotify(const NMHDR& header);
  void OnMenuSelect(UINT id, UINT flags, HMENU menu);
  void ShowPrompt(int id);
  void OnDropFiles(HDROP drop);
  void OnClose();

  // frame_commands.cpp: the command table, the menus' states, the commands
  // of the frame itself and checking while typing.
  void RegisterCommands();
  // What the commands do here (shell/editor_commands.h).
  void Undo() override { view_.Undo(); }
  void Redo() override { view_.Redo(); }
  void Cut() override { view_.Cut(); }
  void Copy() override { view_.Copy(); }
  void Paste() override { view_.Paste(); }
  void SelectAll() override { view_.SelectAll(); }
  void FocusView() override { SetFocus(view_.hwnd()); }
  void Print() override { OnFilePrint(); }
  void PrintPreview() override { OnFilePrintPreview(); }
  void Save() override;
  void SaveAs() override;
  void HelpContents() override { OnHelpContents(); }
  void ToggleToolbar() override { OnViewToolbar(); }
  void ToggleStatusBar() override { OnViewStatusBar(); }
  void OnInitMenuPopup(HMENU menu);
  bool IsEnabled(int id) const;
  void OnHelpContents();
  void OnViewToolbar();
  void OnViewStatusBar();
  void OnFilePrint();
  void OnFilePrintPreview();
  void OnViewCheckWhileTyping();
  void OnTextChanged();
  void CheckFaults();
  void GoToFault(bool next);
  void ShowNotice(const std::wstring& text);

  CTarvexApp& app_;
  HWND hwnd_ = nullptr;
  bool created_ = false;
  CTarvexView view_;
  CTarvexDoc* doc_ = nullptr;
  shell::CommandRouter router_;
  std::unique_ptr<FindReplace> find_;
  HMENU menu_ = nullptr;
  HACCEL accelerators_ = nullptr;
  shell::FaultList faults_;
  bool checking_ = true;
  bool checkPending_ = false;
  std::function<void()> onServerUpdate_;
  std::function<void()> onServerClose_;
};

}  // namespace tarvex::win32

#endif  // TARVEX_WIN32_MAIN_FRAME_H_
