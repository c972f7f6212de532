// The editor as the embedding server sees it, for tests in one process: a
// hidden frame window with an EDIT as its view (real windows, so that the
// view can move into a container's window), the text kept as bytes, and a
// record of the commands the frame received.
#ifndef TARVEX_TESTS_WIN32_EMBEDDING_FAKE_OBJECT_FRAME_H_
#define TARVEX_TESTS_WIN32_EMBEDDING_FAKE_OBJECT_FRAME_H_

#include <string>
#include <vector>

#include "win32/embedding/object_frame.h"

namespace tarvex::win32::embedding {

class FakeObjectFrame : public ObjectFrame {
 public:
  FakeObjectFrame() {
    WNDCLASSEXW frameClass{};
    frameClass.cbSize = sizeof frameClass;
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = GetModuleHandleW(nullptr);
    frameClass.lpszClassName = L"TarvexTestFrame";
    RegisterClassExW(&frameClass);
    frame_ = CreateWindowExW(0, L"TarvexTestFrame", L"Untitled - Tarvex", WS_OVERLAPPEDWINDOW, 10,
                             10, 500, 400, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(frame_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    view_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 480, 360,
                            frame_, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~FakeObjectFrame() override { DestroyWindow(frame_); }

  HWND FrameWindow() const override { return frame_; }
  HWND ViewWindow() const override { return view_; }
  void NewText() override { LoadText(""); }
  void LoadText(std::string_view bytes) override {
    text = std::string(bytes);
    modified = false;
  }
  std::string Text() const override { return text; }
  bool IsModified() const override { return modified; }
  void SetModified(bool m) override { modified = m; }
  void SetChangeListener(std::function<void()> changed) override { changed_ = std::move(changed); }
  void EnterServerMode(std::function<void()> update, std::function<void()> closed) override {
    serverMode = true;
    update_ = std::move(update);
    closed_ = std::move(closed);
  }
  void SetHostNames(const std::string& t, const std::string& name) override {
    title = t;
    objectName = name;
  }

  // What the user does in the editor.
  void Type(const std::string& more) {
    text += more;
    modified = true;
    if (changed_) changed_();
  }
  void ChooseUpdate() { update_(); }
  void ChooseExit() { closed_(); }

  std::string text;
  bool modified = false;
  bool serverMode = false;
  std::string title;
  std::string objectName;
  std::vector<int> commands;  // WM_COMMAND ids the frame received

 private:
  static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<FakeObjectFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == WM_COMMAND && lparam == 0) self->commands.push_back(LOWORD(wparam));
    return DefWindowProcW(window, message, wparam, lparam);
  }

  HWND frame_ = nullptr;
  HWND view_ = nullptr;
  std::function<void()> changed_;
  std::function<void()> update_;
  std::function<void()> closed_;
};

}  // namespace tarvex::win32::embedding

#endif  // TARVEX_TESTS_WIN32_EMBEDDING_FAKE_OBJECT_FRAME_H_
