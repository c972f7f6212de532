// The UI driver proved against a real Windows program: Wine's own notepad,
// driven the way a GUI test drives the program under test. Wine only: the
// notepad of Windows is another program.
#include <windows.h>

#include <commctrl.h>
#include <winspool.h>

#include <filesystem>
#include <string>

#include "driver/ui_driver.h"
#include "support/temp_dir.h"

namespace tarvex::ui {
namespace {

// Notepad's command ids and texts, from Wine's resources.
constexpr int kOpen = 0x101;
constexpr int kSaveAs = 0x103;
constexpr wchar_t kFrameClass[] = L"Notepad";
constexpr wchar_t kSettingsKey[] = L"Software\\Microsoft\\Notepad";

class NotepadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!RunningUnderWine()) GTEST_SKIP() << "drives Wine's notepad";
  }

  std::wstring Folder() const { return folder_.path().wstring(); }
  std::wstring Write(const std::string& name, const std::string& bytes) const {
    return Utf16(folder_.Write(name, bytes));
  }
  std::string Read(const std::string& name) const {
    return tarvex::testing::ReadFile(folder_.Path(name));
  }

  // Notepad on `arguments`, started in the test's folder; its edit view.
  void Launch(const std::wstring& arguments = L"") {
    auto started = App::Launch(L"notepad.exe", arguments, Folder(), kFrameClass);
    ASSERT_TRUE(started);
    app_.emplace(std::move(*started));
    edit_ = FindChild(app_->frame(), L"Edit");
    ASSERT_NE(edit_, nullptr);
  }

  tarvex::testing::TempDir folder_;
  std::optional<App> app_;
  HWND edit_ = nullptr;
};

TEST_F(NotepadTest, OpensItsArgumentInTheWorkingFolderAndShowsTextSelectionAndPanes) {
  Write("hello.txt", "first line\r\nsecond line");
  ASSERT_NO_FATAL_FAILURE(Launch(L"hello.txt"));
  EXPECT_EQ(ReadText(app_->frame()), L"hello.txt - Notepad");
  EXPECT_EQ(ReadText(edit_), L"first line\r\nsecond line");

  ASSERT_TRUE(Select(edit_, {12, 18}));
  EXPECT_EQ(ReadSelection(edit_), (Selection{12, 18}));
  // The caret pane follows keys (not selections made by messages).
  HWND status = FindChild(app_->frame(), STATUSCLASSNAMEW);
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(ReadStatusPanes(status), std::vector<std::wstring>{L"Ln 1, Col 1"});
  ASSERT_TRUE(PressKeys(edit_, {VK_CONTROL, VK_END}));
  EXPECT_TRUE(WaitUntil([&] { return ReadSelection(edit_) == Selection{23, 23}; }, "caret at end"));
  EXPECT_TRUE(WaitUntil(
      [&] { return ReadStatusPanes(status) == std::vector<std::wstring>{L"Ln 2, Col 12"}; },
      "the caret pane to follow"))
      << ::testing::PrintToString(ReadStatusPanes(status));

  ASSERT_TRUE(WriteText(edit_, L"replaced"));
  EXPECT_EQ(ReadText(edit_), L"replaced");
  EXPECT_TRUE(app_->Close());
  EXPECT_EQ(app_->exit_code(), 0u);
}

TEST_F(NotepadTest, TypesNonAsciiTextAndAnswersTheSaveQuestion) {
  ASSERT_NO_FATAL_FAILURE(Launch());
  ASSERT_TRUE(TypeText(edit_, L"café €5\nÀ"));
  EXPECT_TRUE(WaitUntil([&] { return ReadText(edit_) == L"café €5\r\nÀ"; }, "the typed text"))
      << Utf8(ReadText(edit_));

  PostMessageW(app_->frame(), WM_CLOSE, 0, 0);
  auto box = WaitForMessageBox(app_->frame());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, L"Notepad");
  EXPECT_EQ(box->text,
            L"File 'Untitled' has been modified.\n\nWould you like to save the changes?");
  ASSERT_TRUE(Answer(*box, IDNO));
  EXPECT_TRUE(app_->WaitForExit());
}

TEST_F(NotepadTest, BoxesAreFoundByProcessAndAnUnexpectedOneFailsTheClose) {
  ASSERT_NO_FATAL_FAILURE(Launch(L"missing.txt"));
  auto box = WaitForMessageBox(*app_);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, L"File 'missing.txt' does not exist.\n\nDo you want to create a new file?");
  ASSERT_TRUE(Answer(*box, IDNO));

  ASSERT_TRUE(TypeText(edit_, L"x"));
  ASSERT_TRUE(WaitUntil([&] { return ReadText(edit_) == L"x"; }, "the typed x"));
  const ::testing::AssertionResult closed = app_->Close(IDOK);  // the question offers no OK
  EXPECT_FALSE(closed);
  EXPECT_NE(std::string(closed.message()).find("has been modified"), std::string::npos)
      << closed.message();
  EXPECT_FALSE(app_->running());
}

TEST_F(NotepadTest, SaveAsDialogTakesAPathAndTheFileIsWritten) {
  ASSERT_NO_FATAL_FAILURE(Launch());
  ASSERT_TRUE(WriteText(edit_, L"saved text"));
  PostCommand(app_->frame(), kSaveAs);
  ASSERT_TRUE(AnswerFileDialog(app_->frame(), L"Save As", Folder() + L"\\out.txt"));
  EXPECT_TRUE(WaitUntil([&] { return Read("out.txt") == "saved text"; }, "out.txt written"));
  EXPECT_EQ(ReadText(app_->frame()), L"out.txt - Notepad");
  EXPECT_TRUE(app_->Close());
}

TEST_F(NotepadTest, OpenDialogListsTheChosenFileTypeAndOpensTheAnswer) {
  Write("a.txt", "a");
  Write("b.dat", "the b file");
  Write("c.dat", "c");
  ASSERT_NO_FATAL_FAILURE(Launch());
  PostCommand(app_->frame(), kOpen);
  auto open = WaitForDialog(app_->frame(), L"Open");
  ASSERT_TRUE(open);
  HWND types = GetDlgItem(open->window, 0x470);  // cmb1: the file types
  HWND list = FindChild(open->window, L"SysListView32");
  ASSERT_NE(types, nullptr);
  ASSERT_NE(list, nullptr);
  auto listed = [&] { return SendWithin(list, LVM_GETITEMCOUNT, 0, 0); };

  EXPECT_EQ(ComboEntries(types),
            (std::vector<std::wstring>{L"Text files (*.txt)", L"All files (*.*)"}));
  EXPECT_EQ(ComboChoice(types), L"Text files (*.txt)");
  EXPECT_TRUE(WaitUntil([&] { return listed() && *listed() == 1; }, "a.txt alone listed"));
  ASSERT_TRUE(ChooseComboEntry(types, L"All files (*.*)"));
  EXPECT_EQ(ComboChoice(types), L"All files (*.*)");
  EXPECT_TRUE(WaitUntil([&] { return listed() && *listed() == 3; }, "all three files listed"));
  EXPECT_FALSE(ChooseComboEntry(types, L"Policy files (*.inf)"));

  ASSERT_TRUE(AnswerFileDialog(app_->frame(), L"Open", Folder() + L"\\b.dat"));
  EXPECT_TRUE(WaitUntil([&] { return ReadText(edit_) == L"the b file"; }, "b.dat opened"));
  EXPECT_TRUE(app_->Close());
}

TEST_F(NotepadTest, DroppedFileIsOpened) {
  const std::wstring dropped = Write("dropped.txt", "dropped text");
  ASSERT_NO_FATAL_FAILURE(Launch());
  ASSERT_TRUE(DropFiles(app_->frame(), {dropped}));
  EXPECT_TRUE(WaitUntil([&] { return ReadText(edit_) == L"dropped text"; }, "the drop opened"));
  EXPECT_EQ(ReadText(app_->frame()), L"dropped.txt - Notepad");
  EXPECT_TRUE(app_->Close());
}

TEST_F(NotepadTest, ASendThatOpensAModalDialogFailsInTimeAndNamesTheDialog) {
  ASSERT_NO_FATAL_FAILURE(Launch());
  auto sent = SendWithin(app_->frame(), WM_COMMAND, kOpen, 0, Millis(500));
  EXPECT_FALSE(sent);
  EXPECT_NE(sent.why().find("no reply within 500 ms"), std::string::npos) << sent.why();
  EXPECT_NE(sent.why().find("#32770 \"Open\""), std::string::npos) << sent.why();
  EXPECT_THROW(*sent, std::runtime_error);

  auto open = WaitForDialog(app_->frame(), L"Open");
  ASSERT_TRUE(open);
  EXPECT_TRUE(Answer(*open, IDCANCEL));
  EXPECT_TRUE(app_->Close());
}

TEST_F(NotepadTest, SettingsAreReadAndDeletedInTheRegistry) {
  ASSERT_TRUE(DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey));
  ASSERT_NO_FATAL_FAILURE(Launch());
  ASSERT_TRUE(app_->Close());  // notepad keeps its settings on the way out
  EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, kSettingsKey));
  EXPECT_EQ(RegistryNumber(HKEY_CURRENT_USER, kSettingsKey, L"fWrap"), std::optional<DWORD>(1));
  EXPECT_TRUE(RegistryString(HKEY_CURRENT_USER, kSettingsKey, L"lfFaceName").has_value());
  EXPECT_FALSE(RegistryString(HKEY_CURRENT_USER, kSettingsKey, L"fWrap").has_value());

  ASSERT_TRUE(DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey));
  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kSettingsKey));
  EXPECT_TRUE(DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey));  // gone is fine
}

// What the environment gives every GUI test: a default printer that prints
// PostScript into a file, and a screen that can be captured.
TEST(GuiEnvironmentTest, DefaultPrinterPrintsIntoAFileAndTheScreenCanBeSaved) {
  tarvex::testing::TempDir folder;
  wchar_t name[256];
  DWORD size = 256;
  ASSERT_TRUE(GetDefaultPrinterW(name, &size)) << "no default printer (wine_gui_up adds one)";
  HDC dc = CreateDCW(L"WINSPOOL", name, nullptr, nullptr);
  ASSERT_NE(dc, nullptr);
  const std::wstring output = (folder.path() / "page.ps").wstring();
  DOCINFOW doc{};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = L"environment check";
  doc.lpszOutput = output.c_str();
  ASSERT_GT(StartDocW(dc, &doc), 0);
  StartPage(dc);
  TextOutW(dc, 300, 300, L"page", 4);
  EndPage(dc);
  EXPECT_GT(EndDoc(dc), 0);
  DeleteDC(dc);
  const std::string ps = tarvex::testing::ReadFile(folder.Path("page.ps"));
  EXPECT_EQ(ps.rfind("%!PS-Adobe", 0), 0u) << ps.substr(0, 40);
  EXPECT_NE(ps.find("%%Pages: 1"), std::string::npos);
  EXPECT_NE(ps.find("%%Title: environment check"), std::string::npos);

  const std::wstring shot = (folder.path() / "screen.bmp").wstring();
  ASSERT_TRUE(SaveScreenshot(shot));
  const auto bytes = std::filesystem::file_size(shot);
  const auto width = static_cast<std::uintmax_t>(GetSystemMetrics(SM_CXVIRTUALSCREEN));
  const auto height = static_cast<std::uintmax_t>(GetSystemMetrics(SM_CYVIRTUALSCREEN));
  EXPECT_EQ(bytes, 54 + ((width * 3 + 3) & ~std::uintmax_t{3}) * height);
}

}  // namespace
}  // namespace tarvex::ui
