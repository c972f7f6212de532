// tarvex.exe driven as a user would, under Wine or on Windows: start-up,
// opening (command line, Open dialog, drop), Generate, every byte through
// open and save, the length limit, the keyword browser and the clipboard,
// recent files and the preview's page count in the registry, printing into
// a file, Find, Replace, Go to Line, and F8 through the faults.
//
// Texts are kept short of very long unbroken lines: Wine's edit control
// wraps those pathologically slowly.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>

#include "driver/ui_driver.h"
#include "support/temp_dir.h"

namespace tarvex::ui {
namespace {

// The editor's window class and child ids, and command ids (resource_ids.h).
constexpr wchar_t kFrameClass[] = L"TarvexMainFrame";
constexpr wchar_t kPreviewClass[] = L"TarvexPrintPreview";
constexpr wchar_t kSettingsKey[] = L"Software\\Local AppWizard-Generated Applications\\Tarvex";
constexpr int kViewId = 59648;
constexpr int kToolbarId = 59392;
constexpr int kStatusBarId = 59393;
constexpr int kKeywordBox = 32778;
constexpr int kTypeBox = 32777;
constexpr int kMinBox = 32774;
constexpr int kMaxBox = 32775;
constexpr int kFileOpen = 57601;
constexpr int kFileSaveAs = 57604;
constexpr int kFilePrint = 57607;
constexpr int kFilePrintPreview = 57609;
constexpr int kEditPaste = 57637;
constexpr int kEditFind = 57636;
constexpr int kEditReplace = 57641;
constexpr int kGoToLine = 32841;
constexpr int kGenerate = 32771;
constexpr int kFileNew = 57600;
constexpr int kFileSave = 57603;
constexpr int kRecentFile1 = 57616;
constexpr int kEditUndo = 57643;
constexpr int kEditRedo = 57644;
constexpr int kViewToolbar = 59392;
constexpr int kViewStatusBar = 59393;
constexpr int kAppAbout = 57664;
constexpr int kGoToLineNumber = 1000;
constexpr int kPreviewPages = 1013;
constexpr int kPreviewClose = 1016;
constexpr int kPreviewStatus = 1017;
// The common Find and Replace dialogs' controls.
constexpr int kFindWhat = 0x480;
constexpr int kReplaceWith = 0x481;
constexpr int kReplaceAll = 0x401;
// Status bar panes.
constexpr std::size_t kPromptPane = 0;
constexpr std::size_t kLineColumnPane = 4;
constexpr std::size_t kFaultPane = 5;

// How long a start may take: the first program of a Wine session that uses
// the common controls' manifest and COM takes seconds more than the rest.
constexpr Millis kStartPatience{45000};

std::wstring WindowsPath(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return Utf16(path);
}

std::string Example(const std::string& name) {
  return tarvex::testing::ReadFile(std::string(TARVEX_EXAMPLES_DIR) + "/" + name);
}

// The editor's frame in process `pid`, shown or not.
struct FrameSearch {
  DWORD pid;
  HWND found;
};
BOOL CALLBACK FindFrame(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<FrameSearch*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (pid == search->pid && std::wstring(name) == kFrameClass) search->found = window;
  return search->found == nullptr;
}
HWND FrameOf(DWORD pid) {
  FrameSearch search{pid, nullptr};
  EnumWindows(FindFrame, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey)); }
  void TearDown() override {
    if (app_ && app_->running()) {
      EXPECT_TRUE(app_->Close(IDNO));
    }
  }

  std::wstring Folder() const { return folder_.path().wstring(); }
  std::wstring Path(const std::string& name) const { return WindowsPath(folder_.Path(name)); }
  std::wstring Write(const std::string& name, const std::string& bytes) const {
    return WindowsPath(folder_.Write(name, bytes));
  }
  std::string Read(const std::string& name) const {
    return tarvex::testing::ReadFile(folder_.Path(name));
  }
  void CopyExamples() {
    for (const char* name : {"keyword.txt", "policy.inf", "faulty.inf", "peer.key"}) {
      Write(name, Example(name));
    }
  }

  // tarvex.exe on `arguments`, started in the test's folder.
  void Launch(const std::wstring& arguments = L"") {
    auto started = App::Launch(WindowsPath(TARVEX_EDITOR_EXE), arguments, Folder(), kFrameClass,
                               kStartPatience);
    ASSERT_TRUE(started);
    app_.emplace(std::move(*started));
    frame_ = app_->frame();
    edit_ = GetDlgItem(frame_, kViewId);
    status_ = GetDlgItem(frame_, kStatusBarId);
    toolbar_ = GetDlgItem(frame_, kToolbarId);
    ASSERT_NE(edit_, nullptr);
    ASSERT_NE(status_, nullptr);
  }

  // The status bar's panes, brought up to date by an idle step first.
  std::vector<std::wstring> Panes() {
    static const UINT runIdle = RegisterWindowMessageW(L"Tarvex.RunIdle");
    EXPECT_TRUE(SendWithin(frame_, runIdle, 0, 0));
    std::vector<std::wstring> panes = ReadStatusPanes(status_);
    panes.resize(6);  // a missing pane reads as empty
    return panes;
  }

  std::wstring Title() { return ReadText(frame_); }
  ::testing::AssertionResult WaitForTitle(const std::wstring& title) {
    return WaitUntil([&] { return Title() == title; }, "the title \"" + Utf8(title) + "\"");
  }

  // The message box that `command` brings up: its text, then OK.
  std::wstring MessageAfter(int command) {
    PostCommand(frame_, command);
    auto box = WaitForMessageBox(frame_);
    if (!box) {
      ADD_FAILURE() << box.why();
      return {};
    }
    EXPECT_EQ(box->caption, L"Tarvex");
    const std::wstring text = box->text;
    EXPECT_TRUE(Answer(*box, IDOK));
    return text;
  }

  tarvex::testing::TempDir folder_;
  std::optional<App> app_;
  HWND frame_ = nullptr;
  HWND edit_ = nullptr;
  HWND status_ = nullptr;
  HWND toolbar_ = nullptr;
};

TEST_F(EditorTest, WithoutKeywordFileSaysSoTwiceAndEndsWithoutAWindow) {
  auto started = App::Start(WindowsPath(TARVEX_EDITOR_EXE), L"", Folder());
  ASSERT_TRUE(started);
  app_.emplace(std::move(*started));
  for (const wchar_t* text :
       {L"Error reading file keyword.txt !", L"Failed to create empty document."}) {
    auto box = WaitForMessageBox(*app_, kStartPatience);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, text);
    ASSERT_TRUE(Answer(*box, IDOK));
  }
  ASSERT_TRUE(app_->WaitForExit());
  EXPECT_EQ(app_->exit_code(), 1u);
}

TEST_F(EditorTest, OpensFromTheCommandLineTheOpenDialogAndADropAndRemembersThem) {
  CopyExamples();
  ASSERT_NO_FATAL_FAILURE(Launch(L"\"policy.inf\""));
  EXPECT_EQ(Title(), L"policy.inf - Tarvex");
  EXPECT_EQ(ReadText(edit_), Utf16(Example("policy.inf")));
  std::vector<std::wstring> panes = Panes();
  EXPECT_EQ(panes[kPromptPane], L"Ready");
  EXPECT_EQ(panes[kLineColumnPane], L"Ln 1, Col 1");

  PostCommand(frame_, kFileOpen);
  ASSERT_TRUE(AnswerFileDialog(frame_, L"Open", Path("faulty.inf")));
  ASSERT_TRUE(WaitForTitle(L"faulty.inf - Tarvex"));
  EXPECT_EQ(ReadText(edit_), Utf16(Example("faulty.inf")));

  // Generate writes policy.bin; dropped, it comes back as Untitled.inf,
  // without a message.
  ASSERT_TRUE(DropFiles(frame_, {Path("policy.inf")}));
  ASSERT_TRUE(WaitForTitle(L"policy.inf - Tarvex"));
  EXPECT_EQ(MessageAfter(kGenerate), Path("policy.bin") + L" file is generated successfully.");
  ASSERT_TRUE(DropFiles(frame_, {Path("policy.bin")}));
  ASSERT_TRUE(WaitForTitle(L"Untitled.inf - Tarvex"));
  // The source again, with the key file it names embedded.
  const std::string converted = Read("Untitled.inf");
  EXPECT_NE(converted.find("ServerName = gateway01.branch.example\r\n"), std::string::npos);
  EXPECT_NE(converted.find("PeerLinkKey =3B9C0F7B"), std::string::npos);
  EXPECT_EQ(ReadText(edit_), Utf16(converted));

  // Another extension is refused on two lines, and the document stays.
  Write("notes.txt", "x");
  ASSERT_TRUE(DropFiles(frame_, {Path("notes.txt")}));
  auto box = WaitForMessageBox(frame_);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, L"Incorrect file extension.\nUnable to generate the 'Policy.bin' file.");
  ASSERT_TRUE(Answer(*box, IDOK));
  EXPECT_EQ(Title(), L"Untitled.inf - Tarvex");

  ASSERT_TRUE(app_->Close());
  const std::wstring recent = kSettingsKey + std::wstring(L"\\Recent File List");
  EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, recent, L"File1"), Path("Untitled.inf"));
  EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, recent, L"File2"), Path("policy.inf"));
  EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, recent, L"File3"), Path("faulty.inf"));
  EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, recent, L"File4"), std::nullopt);
}

TEST_F(EditorTest, GenerateSelectsTheFaultAndShowsItsMessageThenF8VisitsIt) {
  CopyExamples();
  ASSERT_NO_FATAL_FAILURE(Launch(L"faulty.inf"));
  const std::string text = Example("faulty.inf");
  const auto at = static_cast<DWORD>(text.find("5000"));
  const Selection fault{at, at + 4};

  PostCommand(frame_, kGenerate);
  auto box = WaitForMessageBox(frame_);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text,
            L"\"5000\" is not within a valid range.  \nThis keyword can only be assigned with a "
            L"valid numeric number.\nUnable to generate the 'Policy.bin' file.");
  EXPECT_EQ(ReadSelection(edit_), fault);  // selected behind the box
  ASSERT_TRUE(Answer(*box, IDOK));
  EXPECT_EQ(Read("policy.bin"), "");  // nothing written

  // Checked after a pause in typing; F8 goes to the fault and reads it out.
  ASSERT_TRUE(WaitUntil([&] { return Panes()[kFaultPane] == L"1 fault"; }, "the fault count"));
  ASSERT_TRUE(Select(edit_, {0, 0}));
  ASSERT_TRUE(BringToFront(frame_));
  ASSERT_TRUE(PressKeys(frame_, {VK_F8}));
  ASSERT_TRUE(WaitUntil([&] { return ReadSelection(edit_) == fault; }, "F8's selection"));
  EXPECT_EQ(Panes()[kPromptPane], L"Fault 1 of 1: \"5000\" is not within a valid range.  ");
  ASSERT_TRUE(PressKeys(frame_, {VK_SHIFT, VK_F8}));
  EXPECT_TRUE(WaitUntil([&] { return ReadSelection(edit_) == fault; }, "Shift+F8's selection"));
}

TEST_F(EditorTest, EveryByteSurvivesOpenAndSaveAs) {
  CopyExamples();
  std::string bytes;
  for (int b = 0; b < 256; ++b) {
    if (b == '\r' || b == '\n') continue;
    bytes.push_back(static_cast<char>(b));
    if (b % 16 == 15) bytes += "\r\n";
  }
  Write("bytes.inf", bytes);
  ASSERT_NO_FATAL_FAILURE(Launch(L"bytes.inf"));
  EXPECT_EQ(static_cast<std::size_t>(SendMessageW(edit_, WM_GETTEXTLENGTH, 0, 0)), bytes.size());
  PostCommand(frame_, kFileSaveAs);
  ASSERT_TRUE(AnswerFileDialog(frame_, L"Save As", Path("copy.inf")));
  ASSERT_TRUE(WaitForTitle(L"copy.inf - Tarvex"));
  EXPECT_EQ(Read("copy.inf"), bytes);
}

TEST_F(EditorTest, OpensAFileOfTheLengthLimitRefusesOneByteMoreAndTypingPastIt) {
  CopyExamples();
  std::string limit;
  while (limit.size() + 14 <= 1048575) limit += "Timeout = 30\r\n";
  limit.append(1048575 - limit.size(), 'x');
  Write("limit.inf", limit);
  Write("over.inf", limit + "x");
  ASSERT_NO_FATAL_FAILURE(Launch(L"limit.inf"));
  EXPECT_EQ(SendMessageW(edit_, WM_GETTEXTLENGTH, 0, 0), 1048575);
  // Typing over the last character keeps the length; one more is refused.
  ASSERT_TRUE(Select(edit_, {1048574, 1048575}));
  ASSERT_TRUE(BringToFront(frame_));
  ASSERT_TRUE(TypeText(frame_, L"y"));
  ASSERT_TRUE(WaitUntil([&] { return ReadText(edit_).back() == L'y'; }, "the typed character"));
  ASSERT_TRUE(Select(edit_, {1048575, 1048575}));
  ASSERT_TRUE(TypeText(frame_, L"z"));
  Sleep(500);
  EXPECT_EQ(SendMessageW(edit_, WM_GETTEXTLENGTH, 0, 0), 1048575);
  EXPECT_EQ(ReadText(edit_).back(), L'y');

  PostCommand(frame_, kFileOpen);
  ASSERT_TRUE(AnswerFileDialog(frame_, L"Open", Path("over.inf")));
  auto question = WaitForMessageBox(frame_);
  ASSERT_TRUE(question);
  EXPECT_EQ(question->text, L"Save changes to limit.inf?");
  ASSERT_TRUE(Answer(*question, IDNO));
  auto box = WaitForMessageBox(frame_);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, L"The file is too large to open.");
  ASSERT_TRUE(Answer(*box, IDOK));
  EXPECT_EQ(Title(), L"limit.inf - Tarvex");
}

TEST_F(EditorTest, ChoosingAKeywordFillsTheBoxesAndPutsItsNameOnTheClipboard) {
  CopyExamples();
  ASSERT_NO_FATAL_FAILURE(Launch());
  EXPECT_EQ(Title(), L"Untitled - Tarvex");
  HWND keywords = GetDlgItem(toolbar_, kKeywordBox);
  ASSERT_NE(keywords, nullptr);
  const std::vector<std::wstring> names = ComboEntries(keywords);
  ASSERT_EQ(names.size(), 12u);
  EXPECT_EQ(names.front(), L"AdminContact");  // sorted
  ASSERT_TRUE(ChooseComboEntry(keywords, L"Timeout"));
  EXPECT_EQ(ComboChoice(GetDlgItem(toolbar_, kTypeBox)), L"int");
  EXPECT_EQ(ComboChoice(GetDlgItem(toolbar_, kMinBox)), L"MIN = 1");
  EXPECT_EQ(ComboChoice(GetDlgItem(toolbar_, kMaxBox)), L"MAX = 60");
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_TEXT);
  ASSERT_NE(data, nullptr);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(data)), "Timeout");
  GlobalUnlock(data);
  CloseClipboard();
  ASSERT_TRUE(ChooseComboEntry(keywords, L"EnableFirewall"));
  EXPECT_EQ(ComboChoice(GetDlgItem(toolbar_, kMinBox)), L"TRUE");
  EXPECT_EQ(ComboChoice(GetDlgItem(toolbar_, kMaxBox)), L"FALSE");
  PostCommand(frame_, kEditPaste);
  EXPECT_TRUE(WaitUntil([&] { return ReadText(edit_) == L"EnableFirewall"; }, "the pasted name"));
}

TEST_F(EditorTest, PrintsIntoAFileAndThePreviewCountsTheSamePagesAndIsRemembered) {
  CopyExamples();
  std::string text;
  for (int i = 1; i <= 150; ++i) text += "Timeout = " + std::to_string(i % 60 + 1) + "\r\n";
  Write("long.inf", text);
  ASSERT_NO_FATAL_FAILURE(Launch(L"long.inf"));

  PostCommand(frame_, kFilePrint);
  auto print = WaitForDialog(frame_, L"Print");
  ASSERT_TRUE(print);
  ASSERT_TRUE(Answer(*print, IDOK));
  ASSERT_TRUE(AnswerFileDialog(frame_, L"Print to File", Path("long.ps")));
  ASSERT_TRUE(WaitUntil([&] { return Read("long.ps").find("%%EOF") != std::string::npos; },
                        "the printed file"));
  const std::string printed = Read("long.ps");
  EXPECT_NE(printed.find("%%Pages: 3"), std::string::npos) << printed.substr(0, 400);
  EXPECT_NE(printed.find("%%Title: long.inf"), std::string::npos);

  PostCommand(frame_, kFilePrintPreview);
  HWND preview = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        preview = FindWindowW(kPreviewClass, nullptr);
        return preview && IsWindowVisible(preview);
      },
      "the preview"));
  EXPECT_EQ(ReadText(GetDlgItem(preview, kPreviewStatus)), L"Page 1 of 3");
  PostCommand(preview, kPreviewPages);
  ASSERT_TRUE(
      WaitUntil([&] { return ReadText(GetDlgItem(preview, kPreviewStatus)) == L"Pages 1-2 of 3"; },
                "two pages"));
  PostCommand(preview, kPreviewClose);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(preview); }, "the preview closing"));
  ASSERT_TRUE(app_->Close());
  EXPECT_EQ(RegistryNumber(HKEY_CURRENT_USER, kSettingsKey + std::wstring(L"\\Settings"),
                           L"PreviewPages"),
            2u);
}

TEST_F(EditorTest, PrintsWithoutAWindowFromTheCommandLine) {
  CopyExamples();
  auto started = App::Start(WindowsPath(TARVEX_EDITOR_EXE), L"/p policy.inf", Folder());
  ASSERT_TRUE(started);
  app_.emplace(std::move(*started));
  // The printer prints into a file, which the editor asks for over its hidden frame.
  HWND hidden = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (hidden = FrameOf(app_->pid())) != nullptr; },
                        "the hidden frame", kStartPatience));
  EXPECT_FALSE(IsWindowVisible(hidden));
  ASSERT_TRUE(AnswerFileDialog(hidden, L"Print to File", Path("policy.ps"), 0, kStartPatience));
  ASSERT_TRUE(app_->WaitForExit());
  EXPECT_EQ(app_->exit_code(), 0u);
  EXPECT_NE(Read("policy.ps").find("%%Pages: 1"), std::string::npos);
}

TEST_F(EditorTest, FindReplaceAllAndGoToLine) {
  CopyExamples();
  ASSERT_NO_FATAL_FAILURE(Launch(L"policy.inf"));
  const std::string text = Example("policy.inf");

  PostCommand(frame_, kEditFind);
  auto find = WaitForDialog(frame_, L"Find");
  ASSERT_TRUE(find);
  ASSERT_TRUE(WriteText(GetDlgItem(find->window, kFindWhat), L"timeout"));
  ASSERT_TRUE(PressButton(find->window, IDOK));
  const auto at = static_cast<DWORD>(text.find("Timeout"));
  ASSERT_TRUE(WaitUntil(
      [&] {
        return ReadSelection(edit_) == Selection{at, at + 7};
      },
      "the match"));
  ASSERT_TRUE(Answer(*find, IDCANCEL));

  PostCommand(frame_, kEditReplace);
  auto replace = WaitForDialog(frame_, L"Replace");
  ASSERT_TRUE(replace);
  ASSERT_TRUE(WriteText(GetDlgItem(replace->window, kFindWhat), L"true"));
  ASSERT_TRUE(WriteText(GetDlgItem(replace->window, kReplaceWith), L"false"));
  ASSERT_TRUE(PressButton(replace->window, kReplaceAll));
  ASSERT_TRUE(WaitUntil([&] { return Panes()[kPromptPane] == L"2 occurrences replaced."; },
                        "the count of replacements"));
  ASSERT_TRUE(Answer(*replace, IDCANCEL));
  std::string expected = text;
  expected.replace(expected.find("= true"), 6, "= false");
  expected.replace(expected.find("= TRUE"), 6, "= false");
  EXPECT_EQ(ReadText(edit_), Utf16(expected));

  PostCommand(frame_, kGoToLine);
  auto go = WaitForDialog(frame_, L"Go to Line");
  ASSERT_TRUE(go);
  ASSERT_TRUE(WriteText(GetDlgItem(go->window, kGoToLineNumber), L"3"));
  ASSERT_TRUE(Answer(*go, IDOK));
  const auto row3 = static_cast<DWORD>(expected.find("ServerName"));
  EXPECT_EQ(ReadSelection(edit_), (Selection{row3, row3}));
  EXPECT_EQ(Panes()[kLineColumnPane], L"Ln 3, Col 1");
  ASSERT_TRUE(app_->Close(IDNO));
}

TEST_F(EditorTest, TypingKeepsToTheCodePageAndNulBytesSurvive) {
  CopyExamples();
  Write("zero.inf", std::string("a\0b", 3));
  ASSERT_NO_FATAL_FAILURE(Launch(L"zero.inf"));
  EXPECT_EQ(ReadText(edit_), L"a\u2400b");  // NUL shown as its symbol
  ASSERT_TRUE(Select(edit_, {3, 3}));
  ASSERT_TRUE(BringToFront(frame_));
  ASSERT_TRUE(TypeText(frame_, L"\u20ac"));
  ASSERT_TRUE(WaitUntil([&] { return ReadText(edit_) == L"a\u2400b\u20ac"; }, "the euro sign"));
  // Outside the code page: refused, and the status bar says which character.
  ASSERT_TRUE(TypeText(frame_, L"\u0416"));
  ASSERT_TRUE(WaitUntil([&] { return Panes()[kPromptPane].find(L"\u0416") != std::wstring::npos; },
                        "the notice"));
  EXPECT_EQ(Panes()[kPromptPane],
            L"\"\u0416\" was not inserted: Windows-1252, the code page of policy files, cannot "
            L"hold it.");
  EXPECT_EQ(ReadText(edit_), L"a\u2400b\u20ac");
  PostCommand(frame_, kFileSave);
  ASSERT_TRUE(WaitUntil([&] { return Read("zero.inf").size() == 4; }, "the saved file"));
  EXPECT_EQ(Read("zero.inf"), std::string("a\0b\x80", 4));

  // Undo takes the typing back, Redo brings it again.
  PostCommand(frame_, kEditUndo);
  ASSERT_TRUE(WaitUntil([&] { return ReadText(edit_) == L"a\u2400b"; }, "the undone typing"));
  PostCommand(frame_, kEditRedo);
  ASSERT_TRUE(WaitUntil([&] { return ReadText(edit_) == L"a\u2400b\u20ac"; }, "the redone typing"));
}

TEST_F(EditorTest, MenuPromptsBarsAndTheAboutBox) {
  CopyExamples();
  ASSERT_NO_FATAL_FAILURE(Launch());
  // A highlighted menu item shows its prompt; a closed menu "Ready" again.
  ASSERT_TRUE(SendWithin(frame_, WM_MENUSELECT, MAKEWPARAM(kFileNew, MF_STRING),
                         reinterpret_cast<LPARAM>(GetMenu(frame_))));
  EXPECT_EQ(ReadStatusPanes(status_)[kPromptPane], L"Create a new document");
  ASSERT_TRUE(SendWithin(frame_, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0));
  EXPECT_EQ(ReadStatusPanes(status_)[kPromptPane], L"Ready");

  RECT withBar{};
  GetWindowRect(edit_, &withBar);
  PostCommand(frame_, kViewToolbar);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(toolbar_); }, "the hidden toolbar"));
  RECT withoutBar{};
  GetWindowRect(edit_, &withoutBar);
  EXPECT_LT(withoutBar.top, withBar.top);  // the view takes its place
  PostCommand(frame_, kViewStatusBar);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(status_); }, "the hidden status bar"));
  PostCommand(frame_, kViewToolbar);
  PostCommand(frame_, kViewStatusBar);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(toolbar_) && IsWindowVisible(status_); },
                        "both bars again"));
  EXPECT_EQ(ComboEntries(GetDlgItem(toolbar_, kKeywordBox)).size(), 12u);

  PostCommand(frame_, kAppAbout);
  auto about = WaitForDialog(frame_, L"About Tarvex");
  ASSERT_TRUE(about);
  EXPECT_NE(DescribeScreen().find("Tarvex Version 1.0"), std::string::npos);
  ASSERT_TRUE(Answer(*about, IDOK));
}

TEST_F(EditorTest, GenerateOnANewDocumentAsksForANameFirst) {
  CopyExamples();
  ASSERT_NO_FATAL_FAILURE(Launch());
  ASSERT_TRUE(BringToFront(frame_));
  ASSERT_TRUE(TypeText(frame_, L"Timeout = 30"));
  ASSERT_TRUE(WaitUntil([&] { return ReadText(edit_) == L"Timeout = 30"; }, "the typed entry"));

  PostCommand(frame_, kGenerate);
  auto save = WaitForDialog(frame_, L"Save As");
  ASSERT_TRUE(save);
  ASSERT_TRUE(Answer(*save, IDCANCEL));
  auto box = WaitForMessageBox(frame_);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, L"\nUnable to generate the 'Policy.bin' file.");
  ASSERT_TRUE(Answer(*box, IDOK));

  PostCommand(frame_, kGenerate);
  ASSERT_TRUE(AnswerFileDialog(frame_, L"Save As", Path("new.inf")));
  box = WaitForMessageBox(frame_);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, Path("policy.bin") + L" file is generated successfully.");
  ASSERT_TRUE(Answer(*box, IDOK));
  EXPECT_EQ(Read("new.inf"), "Timeout = 30");
  EXPECT_EQ(Title(), L"new.inf - Tarvex");
}

TEST_F(EditorTest, RecentFilesOpenFromTheMenuAndAMissingOneLeavesTheList) {
  CopyExamples();
  const std::wstring recent = kSettingsKey + std::wstring(L"\\Recent File List");
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, recent.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  for (const auto& [name, file] :
       {std::pair{L"File1", "gone.inf"}, std::pair{L"File2", "policy.inf"}}) {
    const std::wstring value = Path(file);
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
  RegCloseKey(key);
  ASSERT_NO_FATAL_FAILURE(Launch());
  PostCommand(frame_, kRecentFile1 + 1);
  ASSERT_TRUE(WaitForTitle(L"policy.inf - Tarvex"));
  PostCommand(frame_, kRecentFile1 + 1);  // gone.inf, second now
  auto box = WaitForMessageBox(frame_);
  ASSERT_TRUE(box);
  EXPECT_NE(box->text.find(L"gone.inf"), std::wstring::npos);
  ASSERT_TRUE(Answer(*box, IDOK));
  ASSERT_TRUE(app_->Close());
  EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, recent, L"File1"), Path("policy.inf"));
  EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, recent, L"File2"), std::nullopt);
}

TEST_F(EditorTest, TheEmbeddingSwitchesSaySoAndEnd) {
  CopyExamples();
  auto started = App::Start(WindowsPath(TARVEX_EDITOR_EXE), L"-embedding", Folder());
  ASSERT_TRUE(started);
  app_.emplace(std::move(*started));
  auto box = WaitForMessageBox(*app_, kStartPatience);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text,
            L"Tarvex for Windows cannot yet hold policy sources in other programs' documents, so "
            L"the \"-embedding\" switch does nothing here.");
  ASSERT_TRUE(Answer(*box, IDOK));
  ASSERT_TRUE(app_->WaitForExit());
  EXPECT_EQ(app_->exit_code(), 1u);
}

}  // namespace
}  // namespace tarvex::ui
