// A recording WindowSystem for tests: every message box, command,
// selection, opened document and clipboard text is recorded in order, and
// prompts are answered as the test says.
#ifndef TARVEX_TESTS_PLATFORM_FAKE_WINDOW_SYSTEM_H_
#define TARVEX_TESTS_PLATFORM_FAKE_WINDOW_SYSTEM_H_

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/window_system.h"

namespace tarvex {

class FakeWindowSystem : public WindowSystem {
 public:
  struct Box {
    int id;
    std::string text;
    bool application;  // the application's box (warning icon), not the frame's
  };

  // What was shown and done, in order; `events` interleaves message boxes
  // ("box: TEXT"), opened documents ("open: PATH"), selections and commands.
  std::vector<std::string> events;
  std::vector<Box> boxes;
  std::vector<int> frameCommands;
  std::vector<int> activeWindowCommands;
  std::vector<std::pair<std::size_t, std::size_t>> selections;
  std::vector<std::string> openedDocuments;
  std::vector<std::vector<std::string>> standardDrops;
  std::vector<std::string> clipboard;
  std::vector<std::string> keywordBoxEntries;
  std::map<ValueBox, std::string> valueBoxes;
  std::vector<std::string> promptTitles;
  std::vector<std::vector<FileFilter>> promptFilters;

  // The state the test sets up.
  bool modified = false;
  std::string documentPath;
  std::string viewText;
  std::string keywordBoxText;
  std::optional<std::string> promptAnswer;
  bool openDocumentResult = true;
  // Runs when a command reaches the frame (ID_FILE_SAVE: the test saves).
  std::function<void(int)> onFrameCommand;

  // The texts of all boxes, in order.
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const Box& b : boxes) out.push_back(b.text);
    return out;
  }

  void FrameMessageBox(int id, const std::string& text) override {
    boxes.push_back({id, text, false});
    events.push_back("box: " + text);
  }
  void AppMessageBox(int id, const std::string& text) override {
    boxes.push_back({id, text, true});
    events.push_back("box: " + text);
  }
  bool DocumentModified() override { return modified; }
  std::string DocumentPath() override { return documentPath; }
  void SendFrameCommand(int id) override {
    frameCommands.push_back(id);
    events.push_back("command: " + std::to_string(id));
    if (onFrameCommand) onFrameCommand(id);
  }
  void SendActiveWindowCommand(int id) override { activeWindowCommands.push_back(id); }
  std::string ViewText() override { return viewText; }
  void SelectAndShow(std::size_t start, std::size_t end) override {
    selections.emplace_back(start, end);
    events.push_back("select: " + std::to_string(start) + "-" + std::to_string(end));
  }
  std::optional<std::string> PromptOpenFile(const std::string& title,
                                            const std::vector<FileFilter>& filters) override {
    promptTitles.push_back(title);
    promptFilters.push_back(filters);
    return promptAnswer;
  }
  bool OpenDocument(const std::string& path) override {
    openedDocuments.push_back(path);
    events.push_back("open: " + path);
    return openDocumentResult;
  }
  void StandardDropHandling(const std::vector<std::string>& paths) override {
    standardDrops.push_back(paths);
    events.push_back("drop handling: " + std::to_string(paths.size()));
  }
  void SetClipboardText(const std::string& text) override { clipboard.push_back(text); }
  void AddKeywordBoxEntry(const std::string& name) override { keywordBoxEntries.push_back(name); }
  std::string KeywordBoxText() override { return keywordBoxText; }
  void ShowInBox(ValueBox box, const std::string& text) override { valueBoxes[box] = text; }
};

}  // namespace tarvex

#endif  // TARVEX_TESTS_PLATFORM_FAKE_WINDOW_SYSTEM_H_
