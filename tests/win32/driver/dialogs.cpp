// Message boxes and common dialogs: finding them, reading them, answering.
#include <string>

#include "driver/driver_internal.h"
#include "driver/ui_driver.h"

namespace tarvex::ui {

namespace {

// The id of a message box's text, on Windows and in Wine alike.
constexpr int kMessageTextId = 0xFFFF;
// The file-name box of an Open or Save As dialog: cmb13 (a combo, on
// Explorer-style and newer dialogs), else edt1 (old-style ones).
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

struct DialogSearch {
  HWND owner;
  DWORD pid;
  const std::wstring* caption;  // nullptr: a message box
  HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<DialogSearch*>(lparam);
  if (!IsWindowVisible(window) || ClassOf(window) != L"#32770") return TRUE;
  if (search->owner) {
    if (GetWindow(window, GW_OWNER) != search->owner) return TRUE;
  } else {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->pid) return TRUE;
  }
  if (!search->caption) {
    if (!GetDlgItem(window, kMessageTextId)) return TRUE;
  } else if (!search->caption->empty()) {
    std::optional<std::wstring> caption = TextWithin(window, Millis(500));
    if (!caption || *caption != *search->caption) return TRUE;
  }
  search->found = window;
  return FALSE;
}

Dialog Describe(HWND window) {
  Dialog dialog{window, TextWithin(window, kReadLimit).value_or(L""), L""};
  if (HWND text = GetDlgItem(window, kMessageTextId)) {
    dialog.text = TextWithin(text, kReadLimit).value_or(L"");
  }
  return dialog;
}

Outcome<Dialog> WaitFor(DialogSearch search, const std::string& what, Millis limit) {
  const Deadline deadline(limit);
  while (true) {
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found) return Describe(search.found);
    if (deadline.passed()) {
      return Outcome<Dialog>::Failure("no " + what + " within " + std::to_string(limit.count()) +
                                      " ms\n" + DescribeScreen());
    }
    Sleep(kPollMillis);
  }
}

std::string Quote(const Dialog& box) {
  return "\"" + Utf8(box.caption) + "\": \"" + Utf8(box.text) + "\"";
}

}  // namespace

std::optional<Dialog> FindMessageBox(HWND owner, DWORD pid) {
  DialogSearch search{owner, pid, nullptr, nullptr};
  EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return std::nullopt;
  return Describe(search.found);
}

bool WaitForAnyDialog(DWORD pid, Millis limit) {
  const std::wstring any;
  return static_cast<bool>(WaitFor({nullptr, pid, &any, nullptr}, "dialog", limit));
}

bool HasButton(HWND dialog, int button) {
  HWND control = GetDlgItem(dialog, button);
  return control && IsWindowVisible(control) && SameText(ClassOf(control), L"Button");
}

void PostClick(HWND dialog, int button) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

bool WaitGone(HWND window, Millis limit) {
  const Deadline deadline(limit);
  while (IsWindow(window)) {
    if (deadline.passed()) return false;
    Sleep(kPollMillis);
  }
  return true;
}

Outcome<Dialog> WaitForMessageBox(HWND owner, Millis limit) {
  return WaitFor({owner, 0, nullptr, nullptr}, "message box", limit);
}

Outcome<Dialog> WaitForMessageBox(const App& app, Millis limit) {
  return WaitFor({nullptr, app.pid(), nullptr, nullptr},
                 "message box of process " + std::to_string(app.pid()), limit);
}

Outcome<Dialog> WaitForDialog(HWND owner, const std::wstring& caption, Millis limit) {
  return WaitFor({owner, 0, &caption, nullptr}, "dialog \"" + Utf8(caption) + "\"", limit);
}

::testing::AssertionResult PressButton(HWND dialog, int button) {
  if (!IsWindow(dialog)) return ::testing::AssertionFailure() << "the dialog is gone";
  if (!HasButton(dialog, button)) {
    return ::testing::AssertionFailure() << "no button " << button << " on the dialog\n"
                                         << DescribeScreen();
  }
  PostClick(dialog, button);
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult Answer(const Dialog& dialog, int button, Millis limit) {
  ::testing::AssertionResult pressed = PressButton(dialog.window, button);
  if (!pressed) return pressed << " (" << Quote(dialog) << ")";
  if (!WaitGone(dialog.window, limit)) {
    return ::testing::AssertionFailure() << Quote(dialog) << " still open " << limit.count()
                                         << " ms after pressing " << button << "\n"
                                         << DescribeScreen();
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult AnswerFileDialog(HWND owner, const std::wstring& caption,
                                            const std::wstring& path, int confirm, Millis limit) {
  auto dialog = WaitForDialog(owner, caption, limit);
  if (!dialog) return dialog;
  HWND box = GetDlgItem(dialog->window, kFileNameCombo);
  if (!box) box = GetDlgItem(dialog->window, kFileNameEdit);
  if (!box) {
    return ::testing::AssertionFailure() << "\"" << Utf8(caption) << "\" has no file-name box\n"
                                         << DescribeScreen();
  }
  // In a combo (or a ComboBoxEx) the text goes to its edit.
  HWND edit = SameText(ClassOf(box), L"Edit") ? box : FindChild(box, L"Edit");
  ::testing::AssertionResult written = WriteText(edit ? edit : box, path);
  if (!written) return written;
  PostClick(dialog->window, IDOK);

  const Deadline deadline(limit);
  while (IsWindow(dialog->window)) {
    if (std::optional<Dialog> question = FindMessageBox(dialog->window, 0)) {
      if (!confirm || !HasButton(question->window, confirm)) {
        return ::testing::AssertionFailure()
               << "\"" << Utf8(caption) << "\" asked " << Quote(*question) << " for " << Utf8(path);
      }
      PostClick(question->window, confirm);
      WaitGone(question->window, limit);
    }
    if (deadline.passed()) {
      return ::testing::AssertionFailure()
             << "\"" << Utf8(caption) << "\" still open " << limit.count() << " ms after OK with "
             << Utf8(path) << "\n"
             << DescribeScreen();
    }
    Sleep(kPollMillis);
  }
  return ::testing::AssertionSuccess();
}

}  // namespace tarvex::ui
