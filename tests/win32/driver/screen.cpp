// What is on screen: for failure messages, screenshots and the environment.
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "driver/driver_internal.h"
#include "driver/ui_driver.h"

namespace tarvex::ui {

namespace {

// A description reads other processes' windows, one of which may be hung:
// each read gets a short limit.
constexpr Millis kDescribeLimit{300};
constexpr std::size_t kMaxWindows = 24;

struct Found {
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM lparam) {
  auto* found = reinterpret_cast<Found*>(lparam);
  if (IsWindowVisible(window)) found->windows.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChildren(HWND window, LPARAM lparam) {
  reinterpret_cast<Found*>(lparam)->windows.push_back(window);
  return TRUE;
}

std::string Quoted(HWND window) {
  std::optional<std::wstring> text = TextWithin(window, kDescribeLimit);
  if (!text) return "(does not answer)";
  return "\"" + Utf8(*text) + "\"";
}

// A dialog's static texts and buttons, which is what a user reads on it.
void DescribeDialog(HWND dialog, std::ostringstream& out) {
  Found children;
  EnumChildWindows(dialog, CollectChildren, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children.windows) {
    if (!IsWindowVisible(child)) continue;
    const std::wstring cls = ClassOf(child);
    if (SameText(cls, L"Static") || SameText(cls, L"Button") || SameText(cls, L"Edit")) {
      std::optional<std::wstring> text = TextWithin(child, kDescribeLimit);
      if (!text || text->empty()) continue;
      out << "\n      " << Utf8(cls) << " " << GetDlgCtrlID(child) << ": \"" << Utf8(*text) << "\"";
    }
  }
}

}  // namespace

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

std::string DescribeScreen() {
  Found top;
  EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&top));
  std::ostringstream out;
  out << "On screen (" << top.windows.size() << " visible top-level windows):";
  std::size_t shown = 0;
  for (HWND window : top.windows) {
    if (shown++ == kMaxWindows) {
      out << "\n  ...";
      break;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    const std::wstring cls = ClassOf(window);
    out << "\n  process " << pid << ", " << Utf8(cls) << " " << Quoted(window);
    if (HWND owner = GetWindow(window, GW_OWNER)) {
      out << ", owned by " << Utf8(ClassOf(owner)) << " " << Quoted(owner);
    }
    if (cls == L"#32770") DescribeDialog(window, out);
  }
  return out.str();
}

::testing::AssertionResult SaveScreenshot(const std::wstring& path) {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as BMP files store it
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  header.biSizeImage = stride * static_cast<DWORD>(height);

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
  bool copied = false;
  if (bitmap) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    copied = BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY | CAPTUREBLT);
    GdiFlush();
    SelectObject(memory, old);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (!copied) {
    if (bitmap) DeleteObject(bitmap);
    return ::testing::AssertionFailure() << "cannot copy the screen";
  }

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + header.biSizeImage;
  std::unique_ptr<FILE, int (*)(FILE*)> out(_wfopen(path.c_str(), L"wb"), fclose);
  bool written = out && fwrite(&file, sizeof file, 1, out.get()) == 1 &&
                 fwrite(&header, sizeof header, 1, out.get()) == 1 &&
                 fwrite(bits, header.biSizeImage, 1, out.get()) == 1;
  written = out && fclose(out.release()) == 0 && written;
  DeleteObject(bitmap);
  if (!written) return ::testing::AssertionFailure() << "cannot write " << Utf8(path);
  return ::testing::AssertionSuccess();
}

}  // namespace tarvex::ui
