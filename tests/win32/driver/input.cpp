// Keys typed through SendInput, the foreground window, and dropped files.
#include <windows.h>

#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "driver/driver_internal.h"
#include "driver/ui_driver.h"

namespace tarvex::ui {

namespace {

INPUT Key(WORD virtual_key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtual_key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC));
  switch (virtual_key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
    case VK_RCONTROL:
    case VK_RMENU:
      input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
      break;
    default:
      break;
  }
  if (up) input.ki.dwFlags |= KEYEVENTF_KEYUP;
  return input;
}

INPUT Unicode(wchar_t unit, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = unit;
  input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
  return input;
}

::testing::AssertionResult Send(HWND window, std::vector<INPUT> inputs) {
  ::testing::AssertionResult front = BringToFront(window);
  if (!front) return front;
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  if (sent != inputs.size()) {
    // On Windows, input to a program of a higher integrity level is refused.
    return ::testing::AssertionFailure() << "SendInput took " << sent << " of " << inputs.size()
                                         << " key events: " << SystemMessage(GetLastError());
  }
  return ::testing::AssertionSuccess();
}

}  // namespace

::testing::AssertionResult BringToFront(HWND window, Millis limit) {
  HWND top = GetAncestor(window, GA_ROOT);
  if (!top) return ::testing::AssertionFailure() << "the window is gone";
  if (GetForegroundWindow() == top) return ::testing::AssertionSuccess();
  // Windows lets a process take the foreground only while it shares the
  // input of the thread that has it.
  const DWORD mine = GetCurrentThreadId();
  const DWORD theirs = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  const bool attached = theirs && theirs != mine && AttachThreadInput(mine, theirs, TRUE);
  if (IsIconic(top)) ShowWindow(top, SW_RESTORE);
  SetForegroundWindow(top);
  BringWindowToTop(top);
  if (attached) AttachThreadInput(mine, theirs, FALSE);
  return WaitUntil([top] { return GetForegroundWindow() == top; },
                   "the window to come to the front", limit);
}

::testing::AssertionResult TypeText(HWND window, const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    if (c == L'\r') continue;
    if (c == L'\n' || c == L'\t') {
      const WORD key = c == L'\n' ? VK_RETURN : VK_TAB;
      inputs.push_back(Key(key, false));
      inputs.push_back(Key(key, true));
    } else {
      // A character outside the basic plane is two units, sent in turn.
      inputs.push_back(Unicode(c, false));
      inputs.push_back(Unicode(c, true));
    }
  }
  return Send(window, std::move(inputs));
}

::testing::AssertionResult PressKeys(HWND window, std::initializer_list<WORD> chord) {
  std::vector<INPUT> inputs;
  for (WORD key : chord) inputs.push_back(Key(key, false));
  for (auto key = std::rbegin(chord); key != std::rend(chord); ++key) {
    inputs.push_back(Key(*key, true));
  }
  return Send(window, std::move(inputs));
}

::testing::AssertionResult DropFiles(HWND target, const std::vector<std::wstring>& paths,
                                     POINT at) {
  // DROPFILES, then each path with its NUL, then one more NUL.
  std::size_t chars = 1;
  for (const auto& path : paths) chars += path.size() + 1;
  std::vector<std::byte> block(sizeof(DROPFILES) + chars * sizeof(wchar_t));
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  header.pt = at;
  header.fWide = TRUE;
  std::memcpy(block.data(), &header, sizeof header);
  std::byte* next = block.data() + sizeof header;
  for (const auto& path : paths) {
    std::memcpy(next, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
    next += (path.size() + 1) * sizeof(wchar_t);
  }

  WPARAM drop = 0;
  if (RunningUnderWine()) {
    auto remote = RemoteBuffer::In(target, block.size());
    if (!remote) return remote;
    if (!remote->Write(block.data(), block.size())) {
      return ::testing::AssertionFailure()
             << "cannot write the dropped names into the target: " << SystemMessage(GetLastError());
    }
    // The target's DragQueryFile reads the block and its DragFinish frees
    // nothing: the block is left to it.
    drop = static_cast<WPARAM>(remote->Leave());
  } else {
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, block.size());
    if (!handle) return ::testing::AssertionFailure() << "out of memory for a drop";
    std::memcpy(GlobalLock(handle), block.data(), block.size());
    GlobalUnlock(handle);
    drop = reinterpret_cast<WPARAM>(handle);
  }
  if (!PostMessageW(target, WM_DROPFILES, drop, 0)) {
    return ::testing::AssertionFailure()
           << "cannot post WM_DROPFILES: " << SystemMessage(GetLastError());
  }
  return ::testing::AssertionSuccess();
}

}  // namespace tarvex::ui
