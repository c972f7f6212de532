#include "shell/editor_commands.h"

#include "platform/resource_ids.h"
#include "shell/recent_file_list.h"

namespace tarvex::shell {

void BindEditorCommands(CommandRouter& router, EditorCommands& c, FindCommands& find,
                        ApplicationCommands& app, MainFrameLogic& frame) {
  // Offered to the view first, then the document, the frame and the application.
  router.Add(ID_EDIT_UNDO, [&c] { c.Undo(); });
  router.Add(ID_EDIT_REDO, [&c] { c.Redo(); });
  router.Add(ID_EDIT_CUT, [&c] { c.Cut(); });
  router.Add(ID_EDIT_COPY, [&c] { c.Copy(); });
  router.Add(ID_EDIT_PASTE, [&c] { c.Paste(); });
  router.Add(ID_EDIT_SELECT_ALL, [&c] { c.SelectAll(); });
  router.Add(ID_EDIT_FIND, [&find] { find.OnEditFind(); });
  router.Add(ID_EDIT_REPEAT, [&find] { find.OnFindNext(true); });
  router.Add(ID_EDIT_FIND_PREVIOUS, [&find] { find.OnFindNext(false); });
  router.Add(ID_EDIT_REPLACE, [&find] { find.OnEditReplace(); });
  router.Add(ID_EDIT_GOTO_LINE, [&find] { find.OnGoToLine(); });
  router.Add(ID_FILE_PRINT, [&c] { c.Print(); });
  router.Add(ID_FILE_PRINT_DIRECT, [&app] { app.PrintDirect(); });
  router.Add(ID_FILE_PRINT_PREVIEW, [&c] { c.PrintPreview(); });
  router.Add(ID_FILE_SAVE, [&c] { c.Save(); });
  router.Add(ID_FILE_SAVE_AS, [&c] { c.SaveAs(); });
  router.Add(ID_GENERATE, [&frame] { frame.OnGenerate(); });
  router.Add(ID_OPEN_POLICY, [&frame] { frame.OnOpenPolicy(); });
  router.Add(ID_HELP_CONTENTS, [&c] { c.HelpContents(); });
  router.Add(ID_VIEW_TOOLBAR, [&c] { c.ToggleToolbar(); });
  router.Add(ID_VIEW_STATUS_BAR, [&c] { c.ToggleStatusBar(); });
  router.Add(ID_NEXT_PANE, [&c] { c.FocusView(); });
  router.Add(ID_PREV_PANE, [&c] { c.FocusView(); });
  router.Add(ID_FILE_NEW, [&app] { app.OnFileNew(); });
  router.Add(ID_FILE_OPEN, [&app] { app.OnFileOpen(); });
  router.Add(ID_FILE_PRINT_SETUP, [&app] { app.OnFilePrintSetup(); });
  router.Add(ID_APP_EXIT, [&app] { app.OnAppExit(); });
  router.Add(ID_APP_ABOUT, [&app] { app.OnAppAbout(); });
  for (int n = 0; n < RecentFileList::kSize; ++n) {
    router.Add(ID_FILE_MRU_FILE1 + n, [&app, n] { app.OnOpenRecentFile(n); });
  }
}

}  // namespace tarvex::shell
