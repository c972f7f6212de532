// The window-system operations that Tarvex's own logic asks of its shell.
//
// The compiler core (keywords, checker, cipher, policy files, commands)
// never talks to a toolkit: it calls this interface. The desktop editor
// implements it with Qt, the command-line compiler with standard output,
// and the tests with a recording fake. Every call is made on the one
// user-interface thread and is complete when it returns: message boxes are
// modal, commands have been handled.
#ifndef TARVEX_PLATFORM_WINDOW_SYSTEM_H_
#define TARVEX_PLATFORM_WINDOW_SYSTEM_H_

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tarvex {

// One entry of a file dialog's type list, for example
// {"Tarvex Files (*.inf)", "*.inf"}.
struct FileFilter {
  std::string name;
  std::string pattern;
};

// The three read-only boxes of the keyword browser.
enum class ValueBox { kType, kMinimum, kMaximum };

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // The main frame's message box: caption "Tarvex", one OK button, no icon.
  // `id` is the string-table id the text was built from (its first
  // message, when several are joined), so that shells can tell a success
  // from a fault; `text` is the complete, formatted text.
  virtual void FrameMessageBox(int id, const std::string& text) = 0;

  // The application's message box: as above, with the warning icon.
  virtual void AppMessageBox(int id, const std::string& text) = 0;

  // The active document: whether it has unsaved changes, and its full
  // path (empty when it has never been saved).
  virtual bool DocumentModified() = 0;
  virtual std::string DocumentPath() = 0;

  // Sends a command to the main frame (ID_FILE_SAVE) or to the active
  // window (ID_OPEN_POLICY); it has been handled when the call returns.
  virtual void SendFrameCommand(int commandId) = 0;
  virtual void SendActiveWindowCommand(int commandId) = 0;

  // The text view's whole text, byte for byte, as it stands now.
  virtual std::string ViewText() = 0;

  // Selects [start, end) in the text view and scrolls it into sight, without
  // moving the keyboard focus. Offsets past the end of the text are clamped.
  virtual void SelectAndShow(std::size_t start, std::size_t end) = 0;

  // Asks for one existing file; nothing when the user cancels.
  virtual std::optional<std::string> PromptOpenFile(const std::string& title,
                                                    const std::vector<FileFilter>& filters) = 0;

  // The open-document operation: makes `path` the single document, read
  // as plain text. False when no document results (it has shown why).
  virtual bool OpenDocument(const std::string& path) = 0;

  // The standard handling of a drop: brings the main window to the front
  // and opens every dropped file in order with the open-document operation.
  virtual void StandardDropHandling(const std::vector<std::string>& paths) = 0;

  // Puts `text` on the clipboard as plain text, replacing what it held.
  virtual void SetClipboardText(const std::string& text) = 0;

  // The keyword browser's boxes: add a name to the keyword list, read the
  // chosen name, and show one text as the only entry of a value box.
  virtual void AddKeywordBoxEntry(const std::string& name) = 0;
  virtual std::string KeywordBoxText() = 0;
  virtual void ShowInBox(ValueBox box, const std::string& text) = 0;
};

}  // namespace tarvex

#endif  // TARVEX_PLATFORM_WINDOW_SYSTEM_H_
