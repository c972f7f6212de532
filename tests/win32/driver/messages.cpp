// Commands, sends with a time limit, and reading what controls show.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "driver/driver_internal.h"
#include "driver/ui_driver.h"

namespace tarvex::ui {

namespace {

std::string Named(HWND window) {
  std::optional<std::wstring> text = TextWithin(window, Millis(200));
  return Utf8(ClassOf(window)) + " \"" + (text ? Utf8(*text) : std::string("?")) + "\"";
}

// A read's failure is recorded, not returned: reads are used inside
// EXPECT_EQ, and an empty value alone would hide the reason.
template <typename T>
T Recorded(const Outcome<T>& outcome, T fallback) {
  if (outcome) return *outcome;
  ADD_FAILURE() << outcome.why();
  return fallback;
}

}  // namespace

void PostCommand(HWND window, int id) {
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
}

Outcome<LRESULT> SendWithin(HWND window, UINT message, WPARAM wparam, LPARAM lparam, Millis limit) {
  if (!IsWindow(window)) {
    return Outcome<LRESULT>::Failure("message " + std::to_string(message) +
                                     " sent to a window that is gone\n" + DescribeScreen());
  }
  DWORD_PTR result = 0;
  SetLastError(0);
  if (SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL,
                          static_cast<UINT>(limit.count()), &result)) {
    return static_cast<LRESULT>(result);
  }
  const DWORD error = GetLastError();
  const bool timed_out = error == ERROR_TIMEOUT || error == 0;
  std::string reason =
      timed_out ? "no reply within " + std::to_string(limit.count()) + " ms" : SystemMessage(error);
  if (timed_out) {
    // A handler that does not return is mostly in a modal box or dialog,
    // which may still be coming up: give it a moment to be on the screen
    // that the failure describes.
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    WaitForAnyDialog(pid, Millis(3000));
  }
  return Outcome<LRESULT>::Failure("message " + std::to_string(message) + " to " + Named(window) +
                                   ": " + reason + "\n" + DescribeScreen());
}

std::optional<std::wstring> TextWithin(HWND window, Millis limit) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL,
                           static_cast<UINT>(limit.count()), &length)) {
    return std::nullopt;
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_NORMAL, static_cast<UINT>(limit.count()), &copied)) {
    return std::nullopt;
  }
  text.resize(copied);
  return text;
}

std::wstring ReadText(HWND window) {
  std::optional<std::wstring> text = TextWithin(window, kReadLimit);
  if (text) return *text;
  ADD_FAILURE() << "cannot read the text of " << Utf8(ClassOf(window)) << " (window "
                << (IsWindow(window) ? "not answering" : "gone") << ")\n"
                << DescribeScreen();
  return {};
}

::testing::AssertionResult WriteText(HWND window, const std::wstring& text) {
  auto sent = SendWithin(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (!sent) return sent;
  if (*sent != TRUE) return ::testing::AssertionFailure() << Named(window) << " refused the text";
  return ::testing::AssertionSuccess();
}

void PrintTo(const Selection& s, std::ostream* out) {
  *out << "[" << s.start << ", " << s.end << ")";
}

Selection ReadSelection(HWND edit) {
  DWORD start = 0;
  DWORD end = 0;
  auto sent = SendWithin(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end), kReadLimit);
  if (!sent) ADD_FAILURE() << sent.why();
  return {start, end};
}

::testing::AssertionResult Select(HWND edit, Selection selection) {
  return SendWithin(edit, EM_SETSEL, selection.start, selection.end);
}

Outcome<RemoteBuffer> RemoteBuffer::In(HWND window, std::size_t bytes) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(
      PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_LIMITED_INFORMATION,
      FALSE, pid);
  if (!process) {
    return Outcome<RemoteBuffer>::Failure("cannot open process " + std::to_string(pid) + ": " +
                                          SystemMessage(GetLastError()));
  }
  // A pointer-sized field written by a 64-bit control would not fit a 32-bit
  // reader's idea of the buffer, and the other way round.
  BOOL mine = FALSE;
  BOOL theirs = FALSE;
  IsWow64Process(GetCurrentProcess(), &mine);
  IsWow64Process(process, &theirs);
  if (mine != theirs) {
    CloseHandle(process);
    return Outcome<RemoteBuffer>::Failure(
        "process " + std::to_string(pid) +
        " has another bitness than the test program: build both for the same Windows");
  }
  void* address = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!address) {
    const DWORD error = GetLastError();
    CloseHandle(process);
    return Outcome<RemoteBuffer>::Failure("cannot allocate memory in process " +
                                          std::to_string(pid) + ": " + SystemMessage(error));
  }
  return RemoteBuffer(process, address, bytes);
}

RemoteBuffer::RemoteBuffer(RemoteBuffer&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)),
      address_(std::exchange(other.address_, nullptr)),
      size_(std::exchange(other.size_, 0)) {}

RemoteBuffer& RemoteBuffer::operator=(RemoteBuffer&& other) noexcept {
  if (this != &other) {
    Free();
    process_ = std::exchange(other.process_, nullptr);
    address_ = std::exchange(other.address_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

RemoteBuffer::~RemoteBuffer() {
  Free();
}

void RemoteBuffer::Free() {
  if (!process_) return;
  VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  CloseHandle(process_);
  process_ = nullptr;
}

std::vector<std::byte> RemoteBuffer::Read() const {
  std::vector<std::byte> bytes(size_);
  SIZE_T read = 0;
  if (!ReadProcessMemory(process_, address_, bytes.data(), size_, &read)) return {};
  bytes.resize(read);
  return bytes;
}

bool RemoteBuffer::Write(const void* bytes, std::size_t count) {
  SIZE_T written = 0;
  return count <= size_ && WriteProcessMemory(process_, address_, bytes, count, &written) &&
         written == count;
}

LPARAM RemoteBuffer::Leave() {
  const LPARAM left = address();
  if (process_) CloseHandle(process_);
  process_ = nullptr;
  return left;
}

std::vector<std::wstring> ReadStatusPanes(HWND status_bar) {
  std::vector<std::wstring> panes;
  auto simple = SendWithin(status_bar, SB_ISSIMPLE, 0, 0, kReadLimit);
  auto parts = SendWithin(status_bar, SB_GETPARTS, 0, 0, kReadLimit);
  if (!simple || !parts) {
    ADD_FAILURE() << (simple ? parts.why() : simple.why());
    return panes;
  }
  std::vector<int> ids;
  if (*simple) {
    ids.push_back(SB_SIMPLEID);
  } else {
    for (int i = 0; i < static_cast<int>(*parts); ++i) ids.push_back(i);
  }
  for (int id : ids) {
    auto length = SendWithin(status_bar, SB_GETTEXTLENGTHW, id, 0, kReadLimit);
    if (!length) {
      ADD_FAILURE() << length.why();
      return panes;
    }
    const std::size_t chars = LOWORD(*length) + 1;
    auto buffer = RemoteBuffer::In(status_bar, chars * sizeof(wchar_t));
    if (!buffer) {
      ADD_FAILURE() << buffer.why();
      return panes;
    }
    auto got = SendWithin(status_bar, SB_GETTEXTW, id, buffer->address(), kReadLimit);
    if (!got) {
      ADD_FAILURE() << got.why();
      return panes;
    }
    std::vector<std::byte> bytes = buffer->Read();
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    text.resize(std::min<std::size_t>(LOWORD(*got), text.size()));
    panes.push_back(text);
  }
  return panes;
}

std::vector<std::wstring> ComboEntries(HWND combo) {
  std::vector<std::wstring> entries;
  const LRESULT count = Recorded(SendWithin(combo, CB_GETCOUNT, 0, 0, kReadLimit), LRESULT{0});
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length =
        Recorded(SendWithin(combo, CB_GETLBTEXTLEN, i, 0, kReadLimit), LRESULT{CB_ERR});
    if (length == CB_ERR) break;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = Recorded(
        SendWithin(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()), kReadLimit),
        LRESULT{CB_ERR});
    if (copied == CB_ERR) break;
    text.resize(static_cast<std::size_t>(copied));
    entries.push_back(text);
  }
  return entries;
}

std::wstring ComboChoice(HWND combo) {
  const LRESULT chosen =
      Recorded(SendWithin(combo, CB_GETCURSEL, 0, 0, kReadLimit), LRESULT{CB_ERR});
  if (chosen == CB_ERR) return {};
  std::vector<std::wstring> entries = ComboEntries(combo);
  return chosen < static_cast<LRESULT>(entries.size()) ? entries[chosen] : std::wstring();
}

::testing::AssertionResult ChooseComboEntry(HWND combo, const std::wstring& entry, Millis limit) {
  std::vector<std::wstring> entries = ComboEntries(combo);
  std::size_t index = 0;
  while (index < entries.size() && entries[index] != entry) ++index;
  if (index == entries.size()) {
    std::string listed;
    for (const auto& e : entries) listed += "\n  \"" + Utf8(e) + "\"";
    return ::testing::AssertionFailure()
           << "no entry \"" << Utf8(entry) << "\" in " << Named(combo) << "; it lists:" << listed;
  }
  auto set = SendWithin(combo, CB_SETCURSEL, index, 0, limit);
  if (!set) return set;
  if (*set != static_cast<LRESULT>(index)) {
    return ::testing::AssertionFailure() << Named(combo) << " did not take entry " << index;
  }
  const WORD id = static_cast<WORD>(GetDlgCtrlID(combo));
  for (WORD notification : {CBN_SELCHANGE, CBN_SELENDOK}) {
    auto sent = SendWithin(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, notification),
                           reinterpret_cast<LPARAM>(combo), limit);
    if (!sent) return sent;
  }
  return ::testing::AssertionSuccess();
}

}  // namespace tarvex::ui
