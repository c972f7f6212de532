// The object a container holds, as both editors serve it: its states, its
// verbs, the limit and the dirty flag of its text, its extent. The
// platform's server (D-Bus and XEmbed on Linux, OLE on Windows) turns the
// container's calls into these member functions; the shell that shows the
// object implements ObjectHost.
//
// States: loaded (not being edited), in place (the view inside a window of
// the container) and open (the main frame with menu and accelerators 5).
// The text is the document's, byte for byte: exactly the bytes a container
// keeps (its "Contents").
#ifndef TARVEX_SHELL_EMBEDDED_OBJECT_H_
#define TARVEX_SHELL_EMBEDDED_OBJECT_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex::shell {

enum class ObjectState { kLoaded, kInPlace, kOpen };

// Why a call was refused; the object is unchanged then.
enum class ObjectError {
  kNone,
  kNotNow,           // the object is being edited (or edited elsewhere)
  kTooLarge,         // contents beyond the editor's limit
  kInvalidArgument,  // an aspect other than content, an unknown verb, no such window
  kNotSupported,     // editing in place is not possible here
};

// The class identifier under which containers find the embedding server,
// also the class of the object's storage in a container's compound file.
inline constexpr const char* kObjectClassId = "{4A1E6C2B-7D3F-4C55-9A61-2F0B8E5D1C47}";
// The object's miscellaneous status, as registered for containers.
inline constexpr int kObjectMiscStatus = 32;

// The natural size of every object: 30 mm square, in 0.01 mm, for the
// content aspect. Every other aspect has no extent.
inline constexpr int kObjectExtent = 3000;
inline constexpr unsigned kAspectContent = 1;

// The verbs, as containers list them: 0 edits in place, 1 opens the
// object's own window.
inline constexpr int kVerbEdit = 0;
inline constexpr int kVerbOpen = 1;
struct ObjectVerb {
  int number;
  const char* name;
};
const std::vector<ObjectVerb>& ObjectVerbs();

// The File menu's captions while an object is open in its own window, for
// the container's name of the object: "&Update %1" and "E&xit && Return to
// %1", the name's own "&" doubled so that it shows as written. An empty
// name gives the menu table's captions.
std::string UpdateMenuCaption(const std::string& objectName);
std::string ExitMenuCaption(const std::string& objectName);

// What the object asks of the shell that shows it.
class ObjectHost {
 public:
  virtual ~ObjectHost() = default;

  // A new empty text, or the given bytes; either is not modified and is no
  // edit of the user's.
  virtual void NewText() = 0;
  virtual void LoadText(std::string_view bytes) = 0;
  virtual std::string Text() const = 0;
  virtual bool IsModified() const = 0;
  virtual void MarkSaved() = 0;

  // Editing in place inside the container's window `target` (an X window,
  // a window handle): kNone, or why not (nothing changed then).
  virtual ObjectError BeginInPlace(std::uint64_t target) = 0;
  virtual void EndInPlace() = 0;
  // The main frame as the object's own window: menu and accelerators 5,
  // shown and activated.
  virtual void ShowOwnWindow() = 0;
  virtual void HideOwnWindow() = 0;
  // The title "%1 in %2" (empty while the container has named no object)
  // and the container's name for the object, for the File menu's captions.
  virtual void ShowHostNames(const std::string& title, const std::string& objectName) = 0;
};

class EmbeddedObject {
 public:
  explicit EmbeddedObject(ObjectHost& host) : host_(host) {}

  // A new empty text, or the text of `contents`; refused while the object is
  // being edited, and Load of more than kTextLimit bytes.
  ObjectError InitNew();
  ObjectError Load(std::string_view contents);
  // The text, byte for byte. Save also makes the object not dirty; a
  // container that stores a copy elsewhere takes Contents and leaves it dirty.
  std::string Contents() const { return host_.Text(); }
  std::string Save();
  void MarkSaved() { host_.MarkSaved(); }
  bool IsDirty() const { return host_.IsModified(); }

  ObjectError GetExtent(unsigned aspect, int* width, int* height) const;

  // kVerbEdit: in place inside `target`; kVerbOpen: in the own window
  // (ending editing in place first). Other verbs are refused.
  ObjectError DoVerb(int verb, std::uint64_t target);
  void SetHostNames(const std::string& containerName, const std::string& objectName);

  // Ends editing in place or in the own window; true when it was being
  // edited, so that the container hears that editing ended.
  bool Deactivate();
  // The user closed the own window: false when it was not open. Else the
  // object is loaded again, and the container is told, first to store the
  // text when `*saveFirst` (it changed), then that editing ended.
  bool OwnWindowClosed(bool* saveFirst);
  // Ends any editing; the container is letting the object go.
  void Close();

  ObjectState state() const { return state_; }
  const std::string& containerName() const { return containerName_; }
  const std::string& objectName() const { return objectName_; }

 private:
  ObjectError RefuseWhileEditing() const;
  void UpdateHostNames();

  ObjectHost& host_;
  ObjectState state_ = ObjectState::kLoaded;
  std::uint64_t target_ = 0;
  std::string containerName_;
  std::string objectName_;
};

}  // namespace tarvex::shell

#endif  // TARVEX_SHELL_EMBEDDED_OBJECT_H_
