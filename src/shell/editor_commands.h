// What each command of the main frame's menus, keys and buttons does, bound
// once for both editors: a command id reaches the same step of the view,
// the document, the frame or the application in either shell. A shell
// lends those steps through EditorCommands.
#ifndef TARVEX_SHELL_EDITOR_COMMANDS_H_
#define TARVEX_SHELL_EDITOR_COMMANDS_H_

#include "commands/main_frame_logic.h"
#include "shell/command_router.h"

namespace tarvex::shell {

// The frame's and its view's steps.
class EditorCommands {
 public:
  virtual ~EditorCommands() = default;
  virtual void Undo() = 0;
  virtual void Redo() = 0;
  virtual void Cut() = 0;
  virtual void Copy() = 0;
  virtual void Paste() = 0;
  virtual void SelectAll() = 0;
  // The next and the previous pane: the frame holds one, the view.
  virtual void FocusView() = 0;
  virtual void Print() = 0;
  virtual void PrintPreview() = 0;
  // The document's Save and Save As.
  virtual void Save() = 0;
  virtual void SaveAs() = 0;
  virtual void HelpContents() = 0;
  virtual void ToggleToolbar() = 0;
  virtual void ToggleStatusBar() = 0;
};

// Find, Find Next, Find Previous, Replace and Go to Line.
class FindCommands {
 public:
  virtual ~FindCommands() = default;
  virtual void OnEditFind() = 0;
  virtual void OnEditReplace() = 0;
  virtual void OnFindNext(bool forward) = 0;
  virtual void OnGoToLine() = 0;
};

// The application's: documents, printing without a dialog, the end.
class ApplicationCommands {
 public:
  virtual ~ApplicationCommands() = default;
  virtual void OnFileNew() = 0;
  virtual void OnFileOpen() = 0;
  virtual void OnFilePrintSetup() = 0;
  virtual void PrintDirect() = 0;
  virtual void OnAppExit() = 0;
  virtual void OnAppAbout() = 0;
  virtual void OnOpenRecentFile(int index) = 0;  // from 0
};

// Adds a handler for every command of menu 128 and accelerators 128:
// Generate and the frame's own Open (ID_OPEN_POLICY) go to `frame`'s logic.
void BindEditorCommands(CommandRouter& router, EditorCommands& editor, FindCommands& find,
                        ApplicationCommands& app, MainFrameLogic& frame);

}  // namespace tarvex::shell

#endif  // TARVEX_SHELL_EDITOR_COMMANDS_H_
