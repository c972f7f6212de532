#include "win32/win32_window_system.h"

#include <cstring>

#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "win32/main_frame.h"
#include "win32/tarvex_app.h"
#include "win32/tarvex_doc.h"
#include "win32/win32_strings.h"

namespace tarvex::win32 {
namespace {

// Puts one clipboard format from a movable, zero-initialised block.
void SetClipboardFormat(UINT format, const void* data, std::size_t bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (!block) return;
  if (void* to = GlobalLock(block)) {
    std::memcpy(to, data, bytes);
    GlobalUnlock(block);
    if (SetClipboardData(format, block)) return;  // the clipboard owns it now
  }
  GlobalFree(block);
}

}  // namespace

void Win32WindowSystem::FrameMessageBox(int, const std::string& text) {
  CMainFrame* frame = app_.frame();
  MessageBoxA(frame ? frame->hwnd() : nullptr, text.c_str(),
              std::string(LoadStringText(IDS_APP_TITLE)).c_str(), MB_OK);
}

void Win32WindowSystem::AppMessageBox(int, const std::string& text) {
  app_.ShowAppMessage(text);
}

bool Win32WindowSystem::DocumentModified() {
  return app_.document() && app_.document()->IsModified();
}

std::string Win32WindowSystem::DocumentPath() {
  return app_.document() ? app_.document()->path() : std::string();
}

void Win32WindowSystem::SendFrameCommand(int commandId) {
  if (CMainFrame* frame = app_.frame()) {
    SendMessageA(frame->hwnd(), WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
  }
}

void Win32WindowSystem::SendActiveWindowCommand(int commandId) {
  // Commands are given from the main frame; it stands in when another
  // window (or none) of ours is active.
  HWND target = GetActiveWindow();
  CMainFrame* frame = app_.frame();
  if (frame && target != frame->hwnd()) target = frame->hwnd();
  if (target) SendMessageA(target, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

std::string Win32WindowSystem::ViewText() {
  return app_.frame() ? app_.frame()->view().Bytes() : std::string();
}

void Win32WindowSystem::SelectAndShow(std::size_t start, std::size_t end) {
  if (app_.frame()) app_.frame()->view().SelectAndShow(start, end);
}

std::optional<std::string> Win32WindowSystem::PromptOpenFile(
    const std::string& title, const std::vector<FileFilter>& filters) {
  const std::vector<char> filter = DialogFilter(filters);
  char name[MAX_PATH] = {};
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = app_.frame() ? app_.frame()->hwnd() : nullptr;
  ofn.lpstrFilter = filter.data();
  ofn.lpstrFile = name;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrTitle = title.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameA(&ofn)) return std::nullopt;
  return std::string(name);
}

bool Win32WindowSystem::OpenDocument(const std::string& path) {
  return app_.OpenDocumentFile(path) != nullptr;
}

void Win32WindowSystem::StandardDropHandling(const std::vector<std::string>& paths) {
  if (app_.frame()) app_.frame()->ActivateFrame();
  for (const std::string& path : paths) app_.OpenDocumentFile(path);
}

void Win32WindowSystem::SetClipboardText(const std::string& text) {
  CMainFrame* frame = app_.frame();
  if (!OpenClipboard(frame ? frame->hwnd() : nullptr)) return;
  EmptyClipboard();
  // The bytes themselves as CF_TEXT, ending with a zero byte; and the same
  // characters through the document's code page for Unicode readers, whom
  // the system would otherwise give the ANSI code page's reading.
  SetClipboardFormat(CF_TEXT, text.c_str(), text.size() + 1);
  const std::wstring wide = FromCodePage(text);
  SetClipboardFormat(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  CloseClipboard();
}

void Win32WindowSystem::AddKeywordBoxEntry(const std::string& name) {
  if (app_.frame()) app_.frame()->m_wndTools.AddKeyword(name);
}

std::string Win32WindowSystem::KeywordBoxText() {
  return app_.frame() ? app_.frame()->m_wndTools.KeywordText() : std::string();
}

void Win32WindowSystem::ShowInBox(ValueBox box, const std::string& text) {
  if (app_.frame()) app_.frame()->m_wndTools.ShowInBox(box, text);
}

}  // namespace tarvex::win32
