// The window system of the command-line compiler: message boxes become
// printed messages, and there is no window, view or clipboard.
//
// Success messages (5458) go to the output stream, every other message to
// the error stream, one message per box, its line breaks as they are. A
// message that follows a located fault starts with "FILE:LINE:COLUMN:
// error: ", the way compilers report.
#ifndef TARVEX_CLI_CONSOLE_WINDOW_SYSTEM_H_
#define TARVEX_CLI_CONSOLE_WINDOW_SYSTEM_H_

#include <ostream>
#include <string>

#include "platform/window_system.h"

namespace tarvex {

class ConsoleWindowSystem : public WindowSystem {
 public:
  ConsoleWindowSystem(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

  // The file that stands for the document: its path and its bytes as the view's text.
  void SetDocumentPath(const std::string& path) { documentPath_ = path; }

  // The location printed before the next message.
  void SetPendingLocation(const std::string& prefix) { pendingLocation_ = prefix; }

  // Whether any message other than a success message was printed.
  bool printedFault() const { return printedFault_; }

  void FrameMessageBox(int id, const std::string& text) override;
  void AppMessageBox(int id, const std::string& text) override;
  bool DocumentModified() override { return false; }
  std::string DocumentPath() override { return documentPath_; }
  void SendFrameCommand(int) override {}
  void SendActiveWindowCommand(int) override {}
  std::string ViewText() override;
  void SelectAndShow(std::size_t, std::size_t) override {}
  std::optional<std::string> PromptOpenFile(const std::string&,
                                            const std::vector<FileFilter>&) override {
    return std::nullopt;
  }
  bool OpenDocument(const std::string&) override { return true; }
  void StandardDropHandling(const std::vector<std::string>&) override {}
  void SetClipboardText(const std::string&) override {}
  void AddKeywordBoxEntry(const std::string&) override {}
  std::string KeywordBoxText() override { return std::string(); }
  void ShowInBox(ValueBox, const std::string&) override {}

 private:
  void Print(int id, const std::string& text);

  std::ostream& out_;
  std::ostream& err_;
  std::string documentPath_;
  std::string pendingLocation_;
  bool printedFault_ = false;
};

}  // namespace tarvex

#endif  // TARVEX_CLI_CONSOLE_WINDOW_SYSTEM_H_
