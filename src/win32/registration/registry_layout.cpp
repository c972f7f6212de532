#include "win32/registration/registry_layout.h"

#include "shell/embedded_object.h"

namespace tarvex::win32::registration {
namespace {

// A path in double quotes: a command names the program so even when its
// folder has blanks in it ("Program Files"), which the short form would
// not do where the volume keeps no short names.
std::string Quoted(const std::string& text) {
  std::string quoted(1, '"');
  quoted += text;
  quoted += '"';
  return quoted;
}

// Clipboard format numbers, as the registry writes them.
constexpr int kCfText = 1;
constexpr int kCfMetafilePict = 3;
constexpr int kCfEnhMetafile = 14;

}  // namespace

std::string ClassKey() {
  return std::string("CLSID\\") + shell::kObjectClassId;
}

std::string LocalServerCommand(const std::string& executable) {
  return Quoted(executable);
}

std::vector<RegistryEntry> RegistryEntries(const std::string& executable) {
  const std::string type = kTypeId;
  const std::string cls = ClassKey();
  const std::string program = Quoted(executable);
  // The document icon, resource 129: the program's second icon.
  const std::string documentIcon = executable + ",1";
  constexpr Group kDoc = Group::kDocumentType;
  constexpr Group kSrv = Group::kServer;
  constexpr EntryKind kOwned = EntryKind::kOwned;

  std::vector<RegistryEntry> entries = {
      {kDoc, kOwned, type, "", kTypeName},
      {kDoc, kOwned, type + "\\DefaultIcon", "", documentIcon},
      {kDoc, kOwned, type + "\\shell\\open\\command", "", program + " \"%1\""},
      {kDoc, kOwned, type + "\\shell\\print\\command", "", program + " /p \"%1\""},
      {kDoc, kOwned, type + "\\shell\\printto\\command", "",
       program + " /pt \"%1\" \"%2\" \"%3\" \"%4\""},
      {kDoc, EntryKind::kSharedValue, std::string(kExtension) + "\\OpenWithProgids", type, ""},
      {kDoc, EntryKind::kClaim, kExtension, "", type},
      {kDoc, EntryKind::kClaim, std::string(kExtension) + "\\ShellNew", "NullFile", ""},

      {kSrv, kOwned, type, "", kTypeName},
      {kSrv, kOwned, type + "\\CLSID", "", shell::kObjectClassId},
      {kSrv, kOwned, type + "\\Insertable", "", ""},
      {kSrv, kOwned, type + "\\protocol\\StdFileEditing\\verb\\0", "",
       shell::ObjectVerbs().front().name},
      {kSrv, kOwned, type + "\\protocol\\StdFileEditing\\server", "", executable},
      {kSrv, kOwned, cls, "", kTypeName},
      {kSrv, kOwned, cls + "\\ProgID", "", type},
  };
  for (const shell::ObjectVerb& verb : shell::ObjectVerbs()) {
    // Menu flags 0 (a plain item), attributes 2: listed on the container's menu.
    entries.push_back({kSrv, kOwned, cls + "\\Verb\\" + std::to_string(verb.number), "",
                       std::string(verb.name) + ",0,2"});
  }
  const std::string native = kNativeFormat;
  const std::vector<RegistryEntry> rest = {
      {kSrv, kOwned, cls + "\\Insertable", "", ""},
      {kSrv, kOwned, cls + "\\AuxUserType\\2", "", kShortName},
      {kSrv, kOwned, cls + "\\AuxUserType\\3", "", kShortName},  // the application's title
      {kSrv, kOwned, cls + "\\MiscStatus", "", std::to_string(shell::kObjectMiscStatus)},
      {kSrv, kOwned, cls + "\\LocalServer32", "", LocalServerCommand(executable)},
      // The standard handler: without it containers cannot create the object.
      {kSrv, kOwned, cls + "\\InprocHandler32", "", "ole32.dll"},
      {kSrv, kOwned, cls + "\\DefaultIcon", "", documentIcon},
      // Format, aspect (1 content), medium (1 memory, 32 metafile, 64
      // enhanced metafile), direction (1 get, 3 get and set).
      {kSrv, kOwned, cls + "\\DataFormats\\DefaultFile", "", native},
      {kSrv, kOwned, cls + "\\DataFormats\\GetSet\\0", "", native + ",1,1,3"},
      {kSrv, kOwned, cls + "\\DataFormats\\GetSet\\1", "", std::to_string(kCfText) + ",1,1,3"},
      {kSrv, kOwned, cls + "\\DataFormats\\GetSet\\2", "",
       std::to_string(kCfMetafilePict) + ",1,32,1"},
      {kSrv, kOwned, cls + "\\DataFormats\\GetSet\\3", "",
       std::to_string(kCfEnhMetafile) + ",1,64,1"},
  };
  entries.insert(entries.end(), rest.begin(), rest.end());
  return entries;
}

std::vector<std::string> OwnedKeys() {
  return {kTypeId, ClassKey()};
}

}  // namespace tarvex::win32::registration
