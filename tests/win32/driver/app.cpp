// Programs under test: starting, finding their frame, closing, ending.
#include <string>
#include <utility>

#include "driver/driver_internal.h"
#include "driver/ui_driver.h"

namespace tarvex::ui {

namespace {

std::wstring CommandLine(const std::wstring& program, const std::wstring& arguments) {
  std::wstring line = L"\"" + program + L"\"";
  if (!arguments.empty()) line += L" " + arguments;
  return line;
}

struct TopLevelSearch {
  DWORD pid;
  const std::wstring* window_class;
  HWND found;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<TopLevelSearch*>(lparam);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search->pid && IsWindowVisible(window) &&
      SameText(ClassOf(window), *search->window_class)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// A program started without waiting for a frame: its own windows, not the
// ones it owns (boxes and dialogs are answered instead).
BOOL CALLBACK CloseTopLevel(HWND window, LPARAM pid) {
  DWORD owner_pid = 0;
  GetWindowThreadProcessId(window, &owner_pid);
  if (owner_pid == static_cast<DWORD>(pid) && IsWindowVisible(window) &&
      !GetWindow(window, GW_OWNER) && ClassOf(window) != L"#32770") {
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  return TRUE;
}

struct ChildSearch {
  const std::wstring* window_class;
  int skip;
  HWND found;
};

BOOL CALLBACK FindDescendant(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<ChildSearch*>(lparam);
  if (!SameText(ClassOf(window), *search->window_class)) return TRUE;
  if (search->skip-- > 0) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

Outcome<App> App::Start(const std::wstring& program, const std::wstring& arguments,
                        const std::wstring& folder) {
  std::wstring line = CommandLine(program, arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
    return Outcome<App>::Failure("cannot start " + Utf8(line) + " in \"" + Utf8(folder) +
                                 "\": " + SystemMessage(GetLastError()));
  }
  CloseHandle(info.hThread);
  return App(info.hProcess, info.dwProcessId);
}

Outcome<App> App::Launch(const std::wstring& program, const std::wstring& arguments,
                         const std::wstring& folder, const std::wstring& window_class,
                         Millis limit) {
  auto app = Start(program, arguments, folder);
  if (!app) return app;
  auto frame = app->WaitForWindow(window_class, limit);
  if (!frame) return Outcome<App>::Failure(frame.why());
  return app;
}

App::App(App&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)),
      pid_(std::exchange(other.pid_, 0)),
      frame_(std::exchange(other.frame_, nullptr)) {}

App& App::operator=(App&& other) noexcept {
  if (this != &other) {
    Kill();
    if (process_) CloseHandle(process_);
    process_ = std::exchange(other.process_, nullptr);
    pid_ = std::exchange(other.pid_, 0);
    frame_ = std::exchange(other.frame_, nullptr);
  }
  return *this;
}

App::~App() {
  Kill();
  if (process_) CloseHandle(process_);
}

bool App::running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> App::exit_code() const {
  DWORD code = 0;
  if (!process_ || running() || !GetExitCodeProcess(process_, &code)) return std::nullopt;
  return code;
}

Outcome<HWND> App::WaitForWindow(const std::wstring& window_class, Millis limit) {
  TopLevelSearch search{pid_, &window_class, nullptr};
  const Deadline deadline(limit);
  while (true) {
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      frame_ = search.found;
      return search.found;
    }
    if (!running()) {
      return Outcome<HWND>::Failure(
          "the program (process " + std::to_string(pid_) + ") ended with exit code " +
          std::to_string(exit_code().value_or(0)) + " before showing a window of class \"" +
          Utf8(window_class) + "\"\n" + DescribeScreen());
    }
    if (deadline.passed()) {
      return Outcome<HWND>::Failure("no window of class \"" + Utf8(window_class) +
                                    "\" from process " + std::to_string(pid_) + " within " +
                                    std::to_string(limit.count()) + " ms\n" + DescribeScreen());
    }
    Sleep(kPollMillis);
  }
}

::testing::AssertionResult App::WaitForExit(Millis limit) {
  if (!process_) return ::testing::AssertionFailure() << "no program was started";
  if (WaitForSingleObject(process_, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "process " << pid_ << " still running after " << limit.count() << " ms\n"
         << DescribeScreen();
}

::testing::AssertionResult App::Close(int answer, Millis limit) {
  if (!running()) return ::testing::AssertionSuccess();
  if (frame_) {
    PostMessageW(frame_, WM_CLOSE, 0, 0);
  } else {
    EnumWindows(CloseTopLevel, static_cast<LPARAM>(pid_));
  }
  std::string unexpected;
  const Deadline deadline(limit);
  while (WaitForSingleObject(process_, kPollMillis) == WAIT_TIMEOUT) {
    if (std::optional<Dialog> box = FindMessageBox(nullptr, pid_)) {
      if (HasButton(box->window, answer)) {
        PostClick(box->window, answer);
      } else {
        unexpected += "\n  a box \"" + Utf8(box->caption) + "\": \"" + Utf8(box->text) + "\"";
        // Dismiss it so that the close can go on; the test fails anyway.
        for (int button : {IDOK, IDNO, IDCANCEL}) {
          if (HasButton(box->window, button)) {
            PostClick(box->window, button);
            break;
          }
        }
      }
      // Let the box go before looking again.
      WaitGone(box->window, Millis(2000));
    }
    if (deadline.passed()) {
      std::string screen = DescribeScreen();
      Kill();
      return ::testing::AssertionFailure()
             << "process " << pid_ << " did not end within " << limit.count()
             << " ms of WM_CLOSE (ended by force)" << unexpected << "\n"
             << screen;
    }
  }
  if (!unexpected.empty()) {
    return ::testing::AssertionFailure() << "unexpected while closing:" << unexpected;
  }
  return ::testing::AssertionSuccess();
}

void App::Kill() {
  if (!running()) return;
  TerminateProcess(process_, 1);
  WaitForSingleObject(process_, 5000);
}

HWND FindChild(HWND parent, const std::wstring& window_class, int skip) {
  ChildSearch search{&window_class, skip, nullptr};
  EnumChildWindows(parent, FindDescendant, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

::testing::AssertionResult WaitUntil(const std::function<bool()>& done, const std::string& what,
                                     Millis limit) {
  const Deadline deadline(limit);
  while (!done()) {
    if (deadline.passed()) {
      return ::testing::AssertionFailure()
             << "not within " << limit.count() << " ms: " << what << "\n"
             << DescribeScreen();
    }
    Sleep(kPollMillis);
  }
  return ::testing::AssertionSuccess();
}

}  // namespace tarvex::ui
