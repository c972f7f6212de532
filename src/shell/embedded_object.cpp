#include "shell/embedded_object.h"

#include "platform/message_format.h"
#include "platform/resource_ids.h"
#include "shell/document_rules.h"
#include "shell/frame_tables.h"

namespace tarvex::shell {
namespace {

// Menu 5's caption of `id`, without the key after the tab.
std::string TableCaption(int id) {
  for (const Menu& menu : EmbeddedMenu()) {
    for (const MenuItem& item : menu.items) {
      if (item.id != id) continue;
      const std::string caption = item.caption;
      return caption.substr(0, caption.find('\t'));
    }
  }
  return std::string();
}

std::string NamedCaption(int id, int messageId, const std::string& objectName) {
  if (objectName.empty()) return TableCaption(id);
  std::string shown;
  for (char c : objectName) {
    shown += c;
    if (c == '&') shown += '&';  // a name's "&" is no mnemonic
  }
  return FormatMessage(messageId, {shown});
}

}  // namespace

const std::vector<ObjectVerb>& ObjectVerbs() {
  static const std::vector<ObjectVerb> verbs = {{kVerbEdit, "&Edit"}, {kVerbOpen, "&Open"}};
  return verbs;
}

std::string UpdateMenuCaption(const std::string& objectName) {
  return NamedCaption(ID_FILE_UPDATE, IDS_UPDATE_MENU, objectName);
}

std::string ExitMenuCaption(const std::string& objectName) {
  return NamedCaption(ID_APP_EXIT, IDS_EXIT_MENU, objectName);
}

ObjectError EmbeddedObject::RefuseWhileEditing() const {
  return state_ == ObjectState::kLoaded ? ObjectError::kNone : ObjectError::kNotNow;
}

ObjectError EmbeddedObject::InitNew() {
  if (ObjectError refused = RefuseWhileEditing(); refused != ObjectError::kNone) return refused;
  host_.NewText();
  return ObjectError::kNone;
}

ObjectError EmbeddedObject::Load(std::string_view contents) {
  if (ObjectError refused = RefuseWhileEditing(); refused != ObjectError::kNone) return refused;
  if (contents.size() > kTextLimit) return ObjectError::kTooLarge;
  host_.LoadText(contents);
  return ObjectError::kNone;
}

std::string EmbeddedObject::Save() {
  std::string bytes = host_.Text();
  host_.MarkSaved();
  return bytes;
}

ObjectError EmbeddedObject::GetExtent(unsigned aspect, int* width, int* height) const {
  if (aspect != kAspectContent) return ObjectError::kInvalidArgument;
  *width = kObjectExtent;
  *height = kObjectExtent;
  return ObjectError::kNone;
}

ObjectError EmbeddedObject::DoVerb(int verb, std::uint64_t target) {
  switch (verb) {
    case kVerbEdit: {
      if (state_ == ObjectState::kInPlace && target == target_) return ObjectError::kNone;
      if (state_ != ObjectState::kLoaded) return ObjectError::kNotNow;
      const ObjectError refused = host_.BeginInPlace(target);
      if (refused != ObjectError::kNone) return refused;
      state_ = ObjectState::kInPlace;
      target_ = target;
      return ObjectError::kNone;
    }
    case kVerbOpen:
      if (state_ == ObjectState::kInPlace) host_.EndInPlace();  // editing goes on in the window
      state_ = ObjectState::kOpen;
      target_ = 0;
      host_.ShowOwnWindow();
      UpdateHostNames();
      return ObjectError::kNone;
    default:
      return ObjectError::kInvalidArgument;
  }
}

void EmbeddedObject::SetHostNames(const std::string& containerName, const std::string& objectName) {
  containerName_ = containerName;
  objectName_ = objectName;
  UpdateHostNames();
}

void EmbeddedObject::UpdateHostNames() {
  host_.ShowHostNames(objectName_.empty() ? std::string() : EmbeddedTitle(objectName_),
                      objectName_);
}

bool EmbeddedObject::Deactivate() {
  switch (state_) {
    case ObjectState::kInPlace:
      host_.EndInPlace();
      break;
    case ObjectState::kOpen:
      host_.HideOwnWindow();
      break;
    case ObjectState::kLoaded:
      return false;
  }
  state_ = ObjectState::kLoaded;
  target_ = 0;
  return true;
}

bool EmbeddedObject::OwnWindowClosed(bool* saveFirst) {
  *saveFirst = false;
  if (state_ != ObjectState::kOpen) return false;
  // Closing hands the changes to the container, without a question.
  *saveFirst = IsDirty();
  state_ = ObjectState::kLoaded;
  return true;
}

void EmbeddedObject::Close() {
  Deactivate();
}

}  // namespace tarvex::shell
