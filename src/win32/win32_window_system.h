// The window-system operations of the core, carried out with Win32: message
// boxes (MessageBoxA), commands sent with SendMessageA, the view's text and
// selection (EM_SETSEL, EM_SCROLLCARET), the Open dialog, the clipboard and
// the keyword boxes of the running application.
#ifndef TARVEX_WIN32_WIN32_WINDOW_SYSTEM_H_
#define TARVEX_WIN32_WIN32_WINDOW_SYSTEM_H_

#include "platform/window_system.h"

namespace tarvex::win32 {

class CTarvexApp;

class Win32WindowSystem : public WindowSystem {
 public:
  explicit Win32WindowSystem(CTarvexApp& app) : app_(app) {}

  void FrameMessageBox(int id, const std::string& text) override;
  void AppMessageBox(int id, const std::string& text) override;
  bool DocumentModified() override;
  std::string DocumentPath() override;
  void SendFrameCommand(int commandId) override;
  void SendActiveWindowCommand(int commandId) override;
  std::string ViewText() override;
  void SelectAndShow(std::size_t start, std::size_t end) override;
  std::optional<std::string> PromptOpenFile(const std::string& title,
                                            const std::vector<FileFilter>& filters) override;
  bool OpenDocument(const std::string& path) override;
  void StandardDropHandling(const std::vector<std::string>& paths) override;
  void SetClipboardText(const std::string& text) override;
  void AddKeywordBoxEntry(const std::string& name) override;
  std::string KeywordBoxText() override;
  void ShowInBox(ValueBox box, const std::string& text) override;

 private:
  CTarvexApp& app_;
};

}  // namespace tarvex::win32

#endif  // TARVEX_WIN32_WIN32_WINDOW_SYSTEM_H_
