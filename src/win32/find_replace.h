// Find, Find Next, Find Previous, Replace and Go to Line for the text view,
// through the common Find and Replace dialogs (modeless; they talk back with
// the registered FINDMSGSTRING message) and the Go to Line dialog. What the
// commands do to the text is the shell layer's (shell/find_commands.h).
#ifndef TARVEX_WIN32_FIND_REPLACE_H_
#define TARVEX_WIN32_FIND_REPLACE_H_

#include <array>
#include <functional>
#include <string>

#include "shell/editor_commands.h"
#include "win32/win32_api.h"

namespace tarvex::win32 {

class CTarvexView;

class FindReplace : public shell::FindCommands {
 public:
  // `notice` shows a sentence in the status bar.
  FindReplace(HWND frame, CTarvexView& view, std::function<void(const std::wstring&)> notice);
  FindReplace(const FindReplace&) = delete;
  FindReplace& operator=(const FindReplace&) = delete;

  void OnEditFind() override;
  void OnEditReplace() override;
  // Find Next (forward) and Find Previous; without a search yet, opens Find.
  void OnFindNext(bool forward) override;
  void OnGoToLine() override;

  // The dialog's message (FINDMSGSTRING) with its FINDREPLACEW.
  static UINT Message();
  void OnDialogMessage(const FINDREPLACEW& request);

  // The open dialog, if any, for the message loop's IsDialogMessage.
  HWND dialog() const { return dialog_; }

 private:
  void Open(bool replace);
  void Find(bool forward);
  void ReplaceOne();
  void ReplaceAll();
  void NotFound();

  HWND frame_;
  CTarvexView& view_;
  std::function<void(const std::wstring&)> notice_;
  FINDREPLACEW request_{};
  std::array<wchar_t, 256> pattern_{};
  std::array<wchar_t, 256> replacement_{};
  HWND dialog_ = nullptr;
  bool replacing_ = false;
};

}  // namespace tarvex::win32

#endif  // TARVEX_WIN32_FIND_REPLACE_H_
