// What Tarvex registers under a classes root (HKCU\Software\Classes or
// HKLM\Software\Classes), as one table that registering and unregistering
// both read, so that the two cannot drift apart.
//
//   Tarvex.Document                 "Tarvex Document"; DefaultIcon, shell\open,
//                                   print and printto commands; CLSID, Insertable,
//                                   protocol\StdFileEditing (server, verb 0)
//   CLSID\{4A1E6C2B-...}            "Tarvex Document"; ProgID, Verb\0 and \1,
//                                   Insertable, AuxUserType\2 and \3, MiscStatus,
//                                   LocalServer32, InprocHandler32, DefaultIcon,
//                                   DataFormats
//   .inf\OpenWithProgids            value "Tarvex.Document": "Open with" lists Tarvex
//   .inf (default), .inf\ShellNew   only where no other program owns ".inf"
#ifndef TARVEX_WIN32_REGISTRATION_REGISTRY_LAYOUT_H_
#define TARVEX_WIN32_REGISTRATION_REGISTRY_LAYOUT_H_

#include <string>
#include <vector>

namespace tarvex::win32::registration {

inline constexpr const char* kTypeId = "Tarvex.Document";
inline constexpr const char* kTypeName = "Tarvex Document";
inline constexpr const char* kShortName = "Tarvex";
inline constexpr const char* kExtension = ".inf";
// The clipboard format that carries the object's bytes (a 4-byte length,
// then the bytes), and the object's native format in its storage.
inline constexpr const char* kNativeFormat = "Tarvex Contents";

// The two registrations that start-up writes: the document type for the
// desktop, and the embedding server for containers.
enum class Group { kDocumentType, kServer };

enum class EntryKind {
  kOwned,        // below Tarvex's own keys (OwnedKeys), removed with them
  kSharedValue,  // one value in a key that other programs share: only the value is removed
  kClaim,        // the extension's own entries: written only where nobody owns ".inf",
                 // restored to what was there on removal
};

struct RegistryEntry {
  Group group;
  EntryKind kind;
  std::string key;
  std::string name;  // "" for the key's default value
  std::string value;
};

// The class identifier's key, "CLSID\{...}".
std::string ClassKey();

// Every entry, for the program at `executable` (absolute).
std::vector<RegistryEntry> RegistryEntries(const std::string& executable);

// The keys that belong to Tarvex alone, removed whole: the type id's and
// the class identifier's.
std::vector<std::string> OwnedKeys();

// The local server's command as registered: the path in double quotes.
std::string LocalServerCommand(const std::string& executable);

}  // namespace tarvex::win32::registration

#endif  // TARVEX_WIN32_REGISTRATION_REGISTRY_LAYOUT_H_
