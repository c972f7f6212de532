// What the embedding server needs of the editor: the main frame and its
// document, created hidden for an "Embedding" start. The editor's own
// commands (Cut, Paste, Save Copy As, Print, About, F8, ...) stay the
// editor's; the server forwards to the frame what the container's menus
// and keys ask for.
#ifndef TARVEX_WIN32_EMBEDDING_OBJECT_FRAME_H_
#define TARVEX_WIN32_EMBEDDING_OBJECT_FRAME_H_

#include <functional>
#include <string>
#include <string_view>

#include "platform/windows_api.h"

namespace tarvex::win32::embedding {

class ObjectFrame {
 public:
  virtual ~ObjectFrame() = default;

  // The main frame (hidden until the object is opened) and its text view.
  virtual HWND FrameWindow() const = 0;
  virtual HWND ViewWindow() const = 0;

  // The document: a new empty text, or these bytes (not modified either way;
  // not a user's edit); the bytes back; the modified flag.
  virtual void NewText() = 0;
  virtual void LoadText(std::string_view bytes) = 0;
  virtual std::string Text() const = 0;
  virtual bool IsModified() const = 0;
  virtual void SetModified(bool modified) = 0;
  // Called after every change the user makes to the text.
  virtual void SetChangeListener(std::function<void()> changed) = 0;

  // The frame as the object's own window: menu 5 and accelerators 5, Update
  // (57610) runs `update`, and Exit or closing the window runs `closed`
  // instead of ending the program.
  virtual void EnterServerMode(std::function<void()> update, std::function<void()> closed) = 0;
  // The title ("%1 in %2", or the usual title when empty) and the name of the
  // object for "&Update %1" and "E&xit && Return to %1".
  virtual void SetHostNames(const std::string& title, const std::string& objectName) = 0;
};

}  // namespace tarvex::win32::embedding

#endif  // TARVEX_WIN32_EMBEDDING_OBJECT_FRAME_H_
