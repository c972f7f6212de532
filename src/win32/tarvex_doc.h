// CTarvexDoc: the document, which is nothing but the text of one file held
// by the view. It knows its path and name, reads a file into the view and
// writes the view's text back, byte for byte. Paths are ANSI byte strings.
#ifndef TARVEX_WIN32_TARVEX_DOC_H_
#define TARVEX_WIN32_TARVEX_DOC_H_

#include <functional>
#include <string>

#include "shell/open_document.h"
#include "win32/win32_api.h"

namespace tarvex::win32 {

class CTarvexView;

class CTarvexDoc {
 public:
  // Read, not opened (the document is as it was), or refused (it opened
  // but could not be taken over; the document is as it was).
  using ReadResult = shell::DocumentHost::ReadResult;

  // Messages and prompts are owned by `window`.
  CTarvexDoc(CTarvexView& view, HWND window) : view_(view), window_(window) {}

  // The file's full path; empty for a new document.
  const std::string& path() const { return path_; }
  // The file's name, "Untitled", or the title given for an object.
  std::string title() const;
  bool IsModified() const;

  // New: no path, an empty text, not modified.
  void OnNewDocument();

  // Reads `path` (a full path) into the view. Failures are shown.
  ReadResult ReadFile(const std::string& path);

  // Save: to the document's file, or through Save As when there is none or
  // it is read-only or gone. Save As asks for a name first. True when
  // saved; a failure has been shown and leaves the path, the modified flag
  // and any old file as they were.
  bool OnFileSave();
  bool OnFileSaveAs();
  // Save Copy As (an object from a container): the document keeps its name
  // and modified state.
  bool OnFileSaveCopyAs();

  // Asks "Save changes to %1?" when modified. True to go on (saved, or not
  // to be saved); false when cancelled or the save failed.
  bool SaveModified();

  // The title of an object opened from a container, shown instead of the
  // file's name; empty for none.
  void SetEmbeddedTitle(const std::string& title);

  // Told when the path or the name changed, and when the user saved under
  // a name of their choice.
  void SetTitleHandler(std::function<void()> handler) { titleChanged_ = std::move(handler); }
  void SetSavedAsHandler(std::function<void(const std::string&)> handler) {
    savedAs_ = std::move(handler);
  }

 private:
  // `copy`: the document keeps its path and modified state.
  bool WriteFile(const std::string& path, bool copy);
  // The name asked for with the save dialog titled `titleId`; empty when cancelled.
  std::string AskSaveName(int titleId) const;
  void ShowFileError(const std::string& text) const;
  void SetPath(const std::string& path);

  CTarvexView& view_;
  HWND window_;
  std::string path_;
  std::string embeddedTitle_;
  std::function<void()> titleChanged_;
  std::function<void(const std::string&)> savedAs_;
};

}  // namespace tarvex::win32

#endif  // TARVEX_WIN32_TARVEX_DOC_H_
