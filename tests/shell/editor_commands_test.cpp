// Every command of menu 128 and accelerators 128 reaches a step of the
// shell, the same one in both editors.
#include "shell/editor_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake_window_system.h"
#include "platform/resource_ids.h"
#include "shell/frame_tables.h"
#include "shell/recent_file_list.h"

namespace tarvex::shell {
namespace {

class Recorder : public EditorCommands, public FindCommands, public ApplicationCommands {
 public:
  void Undo() override { Log("Undo"); }
  void Redo() override { Log("Redo"); }
  void Cut() override { Log("Cut"); }
  void Copy() override { Log("Copy"); }
  void Paste() override { Log("Paste"); }
  void SelectAll() override { Log("SelectAll"); }
  void FocusView() override { Log("FocusView"); }
  void Print() override { Log("Print"); }
  void PrintPreview() override { Log("PrintPreview"); }
  void Save() override { Log("Save"); }
  void SaveAs() override { Log("SaveAs"); }
  void HelpContents() override { Log("HelpContents"); }
  void ToggleToolbar() override { Log("ToggleToolbar"); }
  void ToggleStatusBar() override { Log("ToggleStatusBar"); }
  void OnEditFind() override { Log("Find"); }
  void OnEditReplace() override { Log("Replace"); }
  void OnFindNext(bool forward) override { Log(forward ? "FindNext" : "FindPrevious"); }
  void OnGoToLine() override { Log("GoToLine"); }
  void OnFileNew() override { Log("New"); }
  void OnFileOpen() override { Log("Open"); }
  void OnFilePrintSetup() override { Log("PrintSetup"); }
  void PrintDirect() override { Log("PrintDirect"); }
  void OnAppExit() override { Log("Exit"); }
  void OnAppAbout() override { Log("About"); }
  void OnOpenRecentFile(int index) override { Log("Recent" + std::to_string(index)); }

  void Log(const std::string& step) { steps.push_back(step); }
  std::vector<std::string> steps;
};

TEST(EditorCommandsTest, EveryMenuItemAndKeyOfTheMainFrameIsBound) {
  FakeWindowSystem ws;
  MainFrameLogic frame(ws);
  Recorder recorder;
  CommandRouter router;
  BindEditorCommands(router, recorder, recorder, recorder, frame);
  for (const Menu& menu : MainMenu()) {
    for (const MenuItem& item : menu.items) {
      if (item.id != 0) {
        EXPECT_TRUE(router.Handles(item.id)) << item.caption;
      }
    }
  }
  for (const Accelerator& key : MainAccelerators()) EXPECT_TRUE(router.Handles(key.id)) << key.keys;
  for (int n = 0; n < RecentFileList::kSize; ++n)
    EXPECT_TRUE(router.Handles(ID_FILE_MRU_FILE1 + n));
}

TEST(EditorCommandsTest, EachIdReachesItsStep) {
  FakeWindowSystem ws;
  MainFrameLogic frame(ws);
  Recorder r;
  CommandRouter router;
  BindEditorCommands(router, r, r, r, frame);
  const std::vector<std::pair<int, std::string>> cases = {
      {ID_EDIT_UNDO, "Undo"},
      {ID_EDIT_REPEAT, "FindNext"},
      {ID_EDIT_FIND_PREVIOUS, "FindPrevious"},
      {ID_PREV_PANE, "FocusView"},
      {ID_FILE_PRINT_DIRECT, "PrintDirect"},
      {ID_FILE_SAVE_AS, "SaveAs"},
      {ID_VIEW_STATUS_BAR, "ToggleStatusBar"},
      {ID_FILE_MRU_FILE4, "Recent3"},
      {ID_FILE_PRINT_SETUP, "PrintSetup"},
      {ID_APP_ABOUT, "About"},
  };
  for (const auto& [id, step] : cases) {
    r.steps.clear();
    ASSERT_TRUE(router.Execute(id));
    EXPECT_EQ(r.steps, std::vector<std::string>{step}) << id;
  }
}

}  // namespace
}  // namespace tarvex::shell
