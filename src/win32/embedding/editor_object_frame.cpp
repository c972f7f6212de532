#include "win32/embedding/editor_object_frame.h"

#include "platform/resource_ids.h"
#include "shell/embedded_object.h"
#include "shell/frame_tables.h"
#include "win32/main_frame.h"
#include "win32/tarvex_doc.h"
#include "win32/win32_api.h"

namespace tarvex::win32::embedding {
namespace {

constexpr UINT_PTR kSubclassId = 0x7A0B;

// Menu 5's key text of `id` ("\tCtrl+S"), or nothing.
std::string KeyText(int id) {
  for (const shell::Menu& menu : shell::EmbeddedMenu()) {
    for (const shell::MenuItem& item : menu.items) {
      if (item.id != id) continue;
      const std::string caption = item.caption;
      const std::size_t tab = caption.find('\t');
      return tab == std::string::npos ? std::string() : caption.substr(tab);
    }
  }
  return std::string();
}

void SetCaption(HMENU menu, int id, const std::string& caption) {
  const std::string text = caption + KeyText(id);
  ModifyMenuA(menu, static_cast<UINT>(id), MF_BYCOMMAND | MF_STRING, static_cast<UINT_PTR>(id),
              text.c_str());
}

}  // namespace

EditorObjectFrame::EditorObjectFrame(CMainFrame& frame, CTarvexDoc& doc)
    : frame_(frame), doc_(doc) {
  SetWindowSubclass(frame_.hwnd(), FrameSubclass, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

EditorObjectFrame::~EditorObjectFrame() {
  if (IsWindow(frame_.hwnd())) RemoveWindowSubclass(frame_.hwnd(), FrameSubclass, kSubclassId);
}

HWND EditorObjectFrame::FrameWindow() const {
  return frame_.hwnd();
}

HWND EditorObjectFrame::ViewWindow() const {
  return frame_.view().hwnd();
}

void EditorObjectFrame::NewText() {
  LoadText("");
}

void EditorObjectFrame::LoadText(std::string_view bytes) {
  loading_ = true;  // the container's text, not the user's change
  frame_.view().SetBytes(bytes);
  loading_ = false;
}

std::string EditorObjectFrame::Text() const {
  return frame_.view().Bytes();
}

bool EditorObjectFrame::IsModified() const {
  return frame_.view().IsModified();
}

void EditorObjectFrame::SetModified(bool modified) {
  frame_.view().SetModified(modified);
}

void EditorObjectFrame::SetChangeListener(std::function<void()> changed) {
  changed_ = std::move(changed);
}

void EditorObjectFrame::EnterServerMode(std::function<void()> update,
                                        std::function<void()> closed) {
  frame_.EnterServerMode(std::move(update), std::move(closed));
}

void EditorObjectFrame::SetHostNames(const std::string& title, const std::string& objectName) {
  doc_.SetEmbeddedTitle(title);
  HMENU menu = GetMenu(frame_.hwnd());
  SetCaption(menu, ID_FILE_UPDATE, shell::UpdateMenuCaption(objectName));
  SetCaption(menu, ID_APP_EXIT, shell::ExitMenuCaption(objectName));
  DrawMenuBar(frame_.hwnd());
}

LRESULT CALLBACK EditorObjectFrame::FrameSubclass(HWND window, UINT message, WPARAM wparam,
                                                  LPARAM lparam, UINT_PTR, DWORD_PTR self) {
  const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
  auto* frame = reinterpret_cast<EditorObjectFrame*>(self);
  if (message == WM_COMMAND && HIWORD(wparam) == EN_CHANGE &&
      reinterpret_cast<HWND>(lparam) == frame->ViewWindow() && !frame->loading_ &&
      frame->changed_) {
    frame->changed_();
  }
  return result;
}

}  // namespace tarvex::win32::embedding
