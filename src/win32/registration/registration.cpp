#include "win32/registration/registration.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "keywords/ascii_case.h"
#include "win32/registration/registry_layout.h"

namespace tarvex::win32::registration {
namespace {

// What registering changed outside Tarvex's own keys, so that removal can
// put it back: the keys it created, and whether it set the extension's
// default and what that default was before (nothing: there was none).
struct RestoreNote {
  std::vector<std::string> createdKeys;
  bool claimedDefault = false;
  std::optional<std::string> previousDefault;
};

const std::string kRestoreKey = std::string(kTypeId) + "\\Restore";
constexpr const char* kCreatedKeys = "CreatedKeys";
constexpr const char* kClaimedDefault = "ClaimedDefault";
constexpr const char* kPreviousDefault = "PreviousDefault";
constexpr char kKeySeparator = '|';  // in no key name Tarvex touches

RestoreNote ReadNote(const RegistryAccess& access) {
  RestoreNote note;
  const std::string created = access.ReadString(kRestoreKey, kCreatedKeys).value_or("");
  std::size_t start = 0;
  while (start < created.size()) {
    std::size_t end = created.find(kKeySeparator, start);
    if (end == std::string::npos) end = created.size();
    if (end > start) note.createdKeys.push_back(created.substr(start, end - start));
    start = end + 1;
  }
  note.claimedDefault = access.ReadString(kRestoreKey, kClaimedDefault).has_value();
  note.previousDefault = access.ReadString(kRestoreKey, kPreviousDefault);
  return note;
}

bool WriteNote(RegistryAccess& access, const RestoreNote& note) {
  std::string created;
  for (const std::string& key : note.createdKeys) {
    if (!created.empty()) created += kKeySeparator;
    created += key;
  }
  bool ok = access.WriteString(kRestoreKey, kCreatedKeys, created);
  if (note.claimedDefault) {
    ok = access.WriteString(kRestoreKey, kClaimedDefault, "1") && ok;
    if (note.previousDefault) {
      ok = access.WriteString(kRestoreKey, kPreviousDefault, *note.previousDefault) && ok;
    }
  }
  return ok;
}

bool Contains(const std::vector<std::string>& keys, const std::string& key) {
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

bool IsOurs(const std::optional<std::string>& value) {
  return value && EqualsIgnoreAsciiCase(*value, kTypeId);
}

bool WriteEntries(RegistryAccess& target, const std::vector<RegistryEntry>& entries, Group group,
                  EntryKind kind) {
  bool ok = true;
  for (const RegistryEntry& entry : entries) {
    if (entry.group != group || entry.kind != kind) continue;
    ok = target.WriteString(entry.key, entry.name, entry.value) && ok;
  }
  return ok;
}

// Removes from `key`'s tree every value and key that no entry of `keep`
// names (a key stays while an entry lies below it).
bool PruneTree(RegistryAccess& target, const std::string& key,
               const std::vector<RegistryEntry>& keep) {
  bool ok = true;
  for (const std::string& name : target.ValueNames(key)) {
    const bool kept = std::any_of(keep.begin(), keep.end(), [&](const RegistryEntry& entry) {
      return EqualsIgnoreAsciiCase(entry.key, key) && EqualsIgnoreAsciiCase(entry.name, name);
    });
    if (!kept) ok = target.DeleteValue(key, name) && ok;
  }
  for (const std::string& subkey : target.SubKeys(key)) {
    const std::string path = key + "\\" + subkey;
    const bool used = std::any_of(keep.begin(), keep.end(), [&](const RegistryEntry& entry) {
      return EqualsIgnoreAsciiCase(entry.key, path) ||
             (entry.key.size() > path.size() && entry.key[path.size()] == '\\' &&
              EqualsIgnoreAsciiCase(std::string_view(entry.key).substr(0, path.size()), path));
    });
    ok = (used ? PruneTree(target, path, keep) : target.DeleteTree(path)) && ok;
  }
  return ok;
}

}  // namespace

bool RegisterDocumentType(RegistryAccess& target, const RegistryAccess& seen,
                          const std::string& executable) {
  const std::vector<RegistryEntry> entries = RegistryEntries(executable);
  const std::optional<std::string> owner = seen.ReadString(kExtension, "");
  const bool claim = !owner || owner->empty() || IsOurs(owner);

  // Note first what is about to change, then change it.
  RestoreNote note = ReadNote(target);
  const RestoreNote before = note;
  auto noteCreated = [&](const std::string& key) {
    if (!target.KeyExists(key) && !Contains(note.createdKeys, key)) note.createdKeys.push_back(key);
  };
  for (const RegistryEntry& entry : entries) {
    if (entry.kind == EntryKind::kOwned) continue;
    if (entry.kind == EntryKind::kClaim && !claim) continue;
    // The extension's key before its subkeys: removal goes the other way.
    if (entry.key != kExtension) noteCreated(kExtension);
    noteCreated(entry.key);
  }
  if (claim) {
    const std::optional<std::string> current = target.ReadString(kExtension, "");
    if (!IsOurs(current) && !note.claimedDefault) {
      note.claimedDefault = true;
      note.previousDefault = current;
    }
  }

  bool ok = WriteEntries(target, entries, Group::kDocumentType, EntryKind::kOwned);
  if (note.createdKeys != before.createdKeys || note.claimedDefault != before.claimedDefault) {
    ok = WriteNote(target, note) && ok;
  }
  ok = WriteEntries(target, entries, Group::kDocumentType, EntryKind::kSharedValue) && ok;
  if (claim) ok = WriteEntries(target, entries, Group::kDocumentType, EntryKind::kClaim) && ok;
  return ok;
}

bool RegisterServer(RegistryAccess& target, const std::string& executable) {
  // Written over in place, never deleted first: a container that activates
  // an object while another start registers must not find the class
  // missing. Only what differs is written; what an earlier registration
  // left in the class identifier's key and this one does not write goes.
  std::vector<RegistryEntry> server;
  for (const RegistryEntry& entry : RegistryEntries(executable)) {
    if (entry.group == Group::kServer && entry.kind == EntryKind::kOwned) server.push_back(entry);
  }
  bool ok = true;
  for (const RegistryEntry& entry : server) {
    if (target.ReadString(entry.key, entry.name) != entry.value) {
      ok = target.WriteString(entry.key, entry.name, entry.value) && ok;
    }
  }
  return PruneTree(target, ClassKey(), server) && ok;
}

bool Unregister(RegistryAccess& target) {
  const RestoreNote note = ReadNote(target);
  const std::vector<RegistryEntry> entries = RegistryEntries("");
  bool ok = true;

  for (const RegistryEntry& entry : entries) {
    if (entry.kind == EntryKind::kSharedValue && target.KeyExists(entry.key)) {
      ok = target.DeleteValue(entry.key, entry.name) && ok;
    }
  }
  // The extension's default goes back to what it was, unless another
  // program has taken it since.
  if (IsOurs(target.ReadString(kExtension, ""))) {
    if (note.claimedDefault && note.previousDefault) {
      ok = target.WriteString(kExtension, "", *note.previousDefault) && ok;
    } else {
      ok = target.DeleteValue(kExtension, "") && ok;
    }
  }
  for (const RegistryEntry& entry : entries) {
    if (entry.kind == EntryKind::kClaim && entry.key != kExtension &&
        Contains(note.createdKeys, entry.key)) {
      ok = target.DeleteValue(entry.key, entry.name) && ok;
    }
  }
  // Keys Tarvex created go again, deepest first, when nothing else is in
  // them now.
  for (auto key = note.createdKeys.rbegin(); key != note.createdKeys.rend(); ++key) {
    if (target.IsKeyEmpty(*key)) ok = target.DeleteTree(*key) && ok;
  }
  for (const std::string& key : OwnedKeys()) ok = target.DeleteTree(key) && ok;
  return ok && !AnythingRegistered(target);
}

bool RegisteredFor(const RegistryAccess& access, const std::string& executable) {
  const std::optional<std::string> server = access.ReadString(ClassKey() + "\\LocalServer32", "");
  return server && EqualsIgnoreAsciiCase(*server, LocalServerCommand(executable));
}

bool AnythingRegistered(const RegistryAccess& access) {
  for (const std::string& key : OwnedKeys()) {
    if (access.KeyExists(key)) return true;
  }
  for (const RegistryEntry& entry : RegistryEntries("")) {
    if (entry.kind == EntryKind::kSharedValue && access.ReadString(entry.key, entry.name)) {
      return true;
    }
  }
  return IsOurs(access.ReadString(kExtension, ""));
}

}  // namespace tarvex::win32::registration
