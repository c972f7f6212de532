// A small UI automation library for GoogleTest programs that drive a Windows
// program from outside, through window messages, as a user would: start it,
// find its windows, send it commands, read what its controls show, answer its
// message boxes and common dialogs, drop files on it and type into it.
//
// The test program runs as a second process beside the program under test
// (under the same Wine, or on Windows) and must have the same bitness where it
// reads another process's memory (status bars, RemoteBuffer).
//
// Rules every function keeps:
// - Every wait has a time limit (`limit`, kPatience unless given) and polls;
//   nothing waits on WaitForInputIdle, which may return before any window
//   exists.
// - A failure says what was on screen (DescribeScreen): the windows, and the
//   texts and buttons of any dialog, so an unexpected message box is read in
//   the test's output.
// - Waits and actions return Outcome<T> or ::testing::AssertionResult, made
//   to be checked with ASSERT_TRUE / EXPECT_TRUE (which print the reason).
//   Reads return plain values and record a non-fatal test failure when the
//   window does not answer in time.
// - Texts are UTF-16. The system converts them for an ANSI window through the
//   ANSI code page (1252 under the stage's Wine), so a character outside it
//   reads back as '?'.
//
// Where Wine and Windows differ the functions say so; see also the README.
#ifndef TARVEX_TESTS_WIN32_DRIVER_UI_DRIVER_H_
#define TARVEX_TESTS_WIN32_DRIVER_UI_DRIVER_H_

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvex::ui {

using Millis = std::chrono::milliseconds;

// The default time limit of a wait: a first window under Wine on a loaded
// machine takes seconds, a message round trip milliseconds.
inline constexpr Millis kPatience{10000};

// A value found on screen, or the reason it was not (with what was on screen
// instead). ASSERT_TRUE(outcome) prints the reason; dereferencing a failed
// outcome throws, which GoogleTest reports as a failure with the reason (and
// the test's App objects still stop their programs).
template <typename T>
class Outcome {
 public:
  Outcome(T value) : value_(std::move(value)) {}  // NOLINT: a value is a success
  static Outcome Failure(std::string why) {
    Outcome o;
    o.why_ = std::move(why);
    return o;
  }

  explicit operator bool() const { return value_.has_value(); }
  operator ::testing::AssertionResult() const {  // NOLINT: for ASSERT_TRUE
    if (value_) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << why_;
  }
  const std::string& why() const { return why_; }

  T& operator*() { return Checked(); }
  const T& operator*() const { return const_cast<Outcome*>(this)->Checked(); }
  T* operator->() { return &Checked(); }
  const T* operator->() const { return &const_cast<Outcome*>(this)->Checked(); }

 private:
  Outcome() = default;
  T& Checked() {
    if (!value_) throw std::runtime_error(why_);
    return *value_;
  }
  std::optional<T> value_;
  std::string why_;
};

// ---- The environment ----------------------------------------------------

// True under Wine (its ntdll exports wine_get_version).
bool RunningUnderWine();

// The visible top-level windows (process, class, title), each dialog with its
// texts and buttons: what a failure message shows.
std::string DescribeScreen();

// Writes the whole screen as a 24-bit BMP file. A program built with the
// driver's main (tarvex_add_gui_tests) saves one at each test's first failure
// into the folder TARVEX_GUI_SHOTS names, if set, as <Suite>.<Test>.bmp.
::testing::AssertionResult SaveScreenshot(const std::wstring& path);

// UTF-8 of a UTF-16 text, for messages; and back.
std::string Utf8(std::wstring_view text);
std::wstring Utf16(std::string_view utf8);

// Polls `done` (every few milliseconds) until it holds or `limit` passes; the
// failure names `what` and the screen. For effects of posted commands and of
// typed keys, which arrive after the call that caused them returned.
::testing::AssertionResult WaitUntil(const std::function<bool()>& done, const std::string& what,
                                     Millis limit = kPatience);

// ---- Programs and windows -----------------------------------------------

// A program under test. Move-only; a program still running when its App is
// destroyed (a test that failed half-way) is ended, so the next test starts
// clean.
class App {
 public:
  // Starts `program` (a path, or a name found the way CreateProcess finds it)
  // with the command-line `arguments` in the working folder `folder` (the
  // driver's own when empty), without waiting for anything.
  static Outcome<App> Start(const std::wstring& program, const std::wstring& arguments,
                            const std::wstring& folder);
  // Start, then WaitForWindow(window_class): the usual way to begin a test.
  static Outcome<App> Launch(const std::wstring& program, const std::wstring& arguments,
                             const std::wstring& folder, const std::wstring& window_class,
                             Millis limit = kPatience);

  App(App&& other) noexcept;
  App& operator=(App&& other) noexcept;
  App(const App&) = delete;
  App& operator=(const App&) = delete;
  ~App();

  // Waits for a visible top-level window of `window_class` that belongs to
  // this process, and takes it as the frame. Fails early, with the exit code,
  // if the process ends first.
  Outcome<HWND> WaitForWindow(const std::wstring& window_class, Millis limit = kPatience);

  HWND frame() const { return frame_; }
  DWORD pid() const { return pid_; }
  bool running() const;
  // The exit code once the process has ended.
  std::optional<DWORD> exit_code() const;
  // Waits for the process to end by itself (e.g. after printing without a window).
  ::testing::AssertionResult WaitForExit(Millis limit = kPatience);

  // Closes the frame (WM_CLOSE, posted; without a frame, every window of the
  // process that is not a box or dialog) and waits for the process to end.
  // A message box that offers `answer` (e.g. a save question: IDYES, IDNO) is
  // answered with it; any other box is a failure, reported with its text (and
  // dismissed with OK, else No, else Cancel). A program still running at the
  // limit is ended and the close fails, saying what was on screen.
  ::testing::AssertionResult Close(int answer = IDNO, Millis limit = kPatience);
  // Ends the process at once.
  void Kill();

 private:
  App(HANDLE process, DWORD pid) : process_(process), pid_(pid) {}
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
  HWND frame_ = nullptr;
};

// The first (depth-first, in Z order) descendant of `parent` of the class
// `window_class` (case-insensitive), skipping `skip` earlier matches; nullptr
// if none.
HWND FindChild(HWND parent, const std::wstring& window_class, int skip = 0);

// ---- Messages -----------------------------------------------------------

// Posts WM_COMMAND with the command id, as a menu item or accelerator does.
// Posted, never sent: a command that opens a modal box would not return.
void PostCommand(HWND window, int id);

// Sends a message and waits at most `limit` for the reply. On a time-out the
// failure says what was on screen (typically a modal box the message opened;
// it waits up to 3 s more for one to come up).
Outcome<LRESULT> SendWithin(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                            Millis limit = kPatience);

// A window's text by WM_GETTEXT (GetWindowText cannot read another process's
// controls).
std::wstring ReadText(HWND window);
// Sets a window's text by WM_SETTEXT (for an edit control: its whole content,
// past any typing limit).
::testing::AssertionResult WriteText(HWND window, const std::wstring& text);

// An edit control's selection, in characters; start <= end.
struct Selection {
  DWORD start = 0;
  DWORD end = 0;
  bool operator==(const Selection&) const = default;
};
void PrintTo(const Selection& s, std::ostream* out);
// Read with pointers (EM_GETSEL's packed reply holds only 16 bits a side).
Selection ReadSelection(HWND edit);
::testing::AssertionResult Select(HWND edit, Selection selection);

// Memory in the process of a window, for messages at or above WM_USER
// (SB_GETTEXT, TB_GETBUTTONINFO, ...), whose pointers the system does not
// carry across processes: pass address() and read the reply back. The two
// processes must have the same bitness. Freed when destroyed.
class RemoteBuffer {
 public:
  static Outcome<RemoteBuffer> In(HWND window, std::size_t bytes);
  RemoteBuffer(RemoteBuffer&& other) noexcept;
  RemoteBuffer& operator=(RemoteBuffer&& other) noexcept;
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  ~RemoteBuffer();

  LPARAM address() const { return reinterpret_cast<LPARAM>(address_); }
  std::size_t size() const { return size_; }
  // The buffer's bytes now (empty if they cannot be read).
  std::vector<std::byte> Read() const;
  bool Write(const void* bytes, std::size_t count);
  // Leaves the memory to the process, never to be freed, and returns its
  // address: for a posted message that the target reads later.
  LPARAM Leave();

 private:
  RemoteBuffer(HANDLE process, void* address, std::size_t size)
      : process_(process), address_(address), size_(size) {}
  void Free();
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  std::size_t size_ = 0;
};

// The texts of a status bar's panes (SB_GETPARTS, SB_GETTEXT through a
// RemoteBuffer).
std::vector<std::wstring> ReadStatusPanes(HWND status_bar);

// ---- Combo boxes --------------------------------------------------------

// The entries of a combo box (or of its drop-down list), in list order.
std::vector<std::wstring> ComboEntries(HWND combo);
// The chosen entry's text; empty when none is chosen.
std::wstring ComboChoice(HWND combo);
// Chooses the entry with exactly this text as a click in its list does:
// CB_SETCURSEL (which notifies nobody), then WM_COMMAND with CBN_SELCHANGE and
// CBN_SELENDOK sent to the combo's parent; returns once the parent has handled
// both. A combo on a toolbar has the toolbar as parent, which passes commands
// on to its own.
::testing::AssertionResult ChooseComboEntry(HWND combo, const std::wstring& entry,
                                            Millis limit = kPatience);

// ---- Message boxes and dialogs ------------------------------------------

// A dialog on screen: a message box or a common dialog.
struct Dialog {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;  // a message box's message; empty for other dialogs
};

// Waits for a message box (a visible "#32770" with a message text) owned by
// `owner`.
Outcome<Dialog> WaitForMessageBox(HWND owner, Millis limit = kPatience);
// Waits for a message box of the app's process, owned or not (a program that
// reports a fault before it has a window).
Outcome<Dialog> WaitForMessageBox(const App& app, Millis limit = kPatience);
// Waits for a dialog owned by `owner` with this caption ("Open", "Save As",
// "Print"; any caption when empty).
Outcome<Dialog> WaitForDialog(HWND owner, const std::wstring& caption, Millis limit = kPatience);

// Presses a dialog's button (IDOK, IDYES, IDNO, IDCANCEL or a control id) as
// a click does: WM_COMMAND(BN_CLICKED), posted, so it works whether or not the
// dialog is active. Fails if the dialog has no such visible button.
::testing::AssertionResult PressButton(HWND dialog, int button);
// Presses the button and waits until the dialog has closed.
::testing::AssertionResult Answer(const Dialog& dialog, int button, Millis limit = kPatience);

// Answers an Open or Save As dialog owned by `owner` (found by its caption):
// puts `path` in its file-name box, presses OK and waits until it has closed.
// A question the dialog then asks (e.g. whether to replace a file) is
// answered with `confirm` when given; otherwise, and for any other box, the
// answer fails with the box's text.
::testing::AssertionResult AnswerFileDialog(HWND owner, const std::wstring& caption,
                                            const std::wstring& path, int confirm = 0,
                                            Millis limit = kPatience);

// ---- Input --------------------------------------------------------------

// Makes `window`'s top-level window the foreground window, where typed keys go.
::testing::AssertionResult BringToFront(HWND window, Millis limit = kPatience);
// Types `text` into the focused control of `window`'s top-level window with
// SendInput, each character as a Unicode key (so é and € arrive too); '\n' is
// the Enter key and '\t' the Tab key. Keys are handled after the call
// returns: wait for their effect with WaitUntil.
::testing::AssertionResult TypeText(HWND window, const std::wstring& text);
// Presses a chord of virtual keys, e.g. {VK_SHIFT, VK_F8} or {VK_CONTROL, 'S'}:
// down in order, up in reverse.
::testing::AssertionResult PressKeys(HWND window, std::initializer_list<WORD> chord);

// Drops files on `target` (a window that called DragAcceptFiles), as
// WM_DROPFILES at the client point `at`. Under Wine the DROPFILES block is
// written into the target's own memory (Wine does not carry a handle across
// processes; the block is never freed); on Windows it is a global handle, as
// Explorer's would be (not verified here). Posted: wait for the effect.
::testing::AssertionResult DropFiles(HWND target, const std::vector<std::wstring>& paths,
                                     POINT at = {10, 10});

// ---- The registry -------------------------------------------------------
// `view` may be KEY_WOW64_32KEY or KEY_WOW64_64KEY for keys that 32- and
// 64-bit programs see apart (under HKEY_LOCAL_MACHINE\Software).

std::optional<std::wstring> RegistryString(HKEY root, const std::wstring& key,
                                           const std::wstring& value, REGSAM view = 0);
std::optional<DWORD> RegistryNumber(HKEY root, const std::wstring& key, const std::wstring& value,
                                    REGSAM view = 0);
bool RegistryKeyExists(HKEY root, const std::wstring& key, REGSAM view = 0);
// Deletes the key with everything under it; a missing key is a success.
::testing::AssertionResult DeleteRegistryKey(HKEY root, const std::wstring& key, REGSAM view = 0);

}  // namespace tarvex::ui

#endif  // TARVEX_TESTS_WIN32_DRIVER_UI_DRIVER_H_
