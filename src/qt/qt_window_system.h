// The window-system operations of the core, carried out by the Qt editor:
// message boxes through the dialog layer, the document, the view, the
// keyword boxes and the clipboard of the running application.
#ifndef TARVEX_QT_QT_WINDOW_SYSTEM_H_
#define TARVEX_QT_QT_WINDOW_SYSTEM_H_

#include "platform/window_system.h"

namespace tarvex::qt {

class CTarvexApp;

class QtWindowSystem : public WindowSystem {
 public:
  explicit QtWindowSystem(CTarvexApp& app) : app_(app) {}

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

}  // namespace tarvex::qt

#endif  // TARVEX_QT_QT_WINDOW_SYSTEM_H_
