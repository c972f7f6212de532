// The editor's main frame, document and view as the embedding server's
// ObjectFrame: what an "Embedding" start hands to the server.
#ifndef TARVEX_WIN32_EMBEDDING_EDITOR_OBJECT_FRAME_H_
#define TARVEX_WIN32_EMBEDDING_EDITOR_OBJECT_FRAME_H_

#include "win32/embedding/object_frame.h"

namespace tarvex::win32 {
class CMainFrame;
class CTarvexDoc;
}  // namespace tarvex::win32

namespace tarvex::win32::embedding {

class EditorObjectFrame final : public ObjectFrame {
 public:
  // Both live longer than this.
  EditorObjectFrame(CMainFrame& frame, CTarvexDoc& doc);
  ~EditorObjectFrame() override;
  EditorObjectFrame(const EditorObjectFrame&) = delete;
  EditorObjectFrame& operator=(const EditorObjectFrame&) = delete;

  HWND FrameWindow() const override;
  HWND ViewWindow() const override;
  void NewText() override;
  void LoadText(std::string_view bytes) override;
  std::string Text() const override;
  bool IsModified() const override;
  void SetModified(bool modified) override;
  void SetChangeListener(std::function<void()> changed) override;
  void EnterServerMode(std::function<void()> update, std::function<void()> closed) override;
  void SetHostNames(const std::string& title, const std::string& objectName) override;

 private:
  // Watches the frame for the view's change notices.
  static LRESULT CALLBACK FrameSubclass(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR id, DWORD_PTR self);

  CMainFrame& frame_;
  CTarvexDoc& doc_;
  std::function<void()> changed_;
  bool loading_ = false;
};

}  // namespace tarvex::win32::embedding

#endif  // TARVEX_WIN32_EMBEDDING_EDITOR_OBJECT_FRAME_H_
