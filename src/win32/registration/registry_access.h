// One classes root of the registry (per user, per machine, or the merged
// view the desktop reads), in one of its views, as the registration sees
// it. Keys are paths below the root ("CLSID\\{...}\\Verb\\0"); a value name
// "" is the key's default value. Strings are UTF-8.
//
// The registration's logic is written against this interface, so that it
// runs on a fake in tests; windows_registry.h gives the real one.
#ifndef TARVEX_WIN32_REGISTRATION_REGISTRY_ACCESS_H_
#define TARVEX_WIN32_REGISTRATION_REGISTRY_ACCESS_H_

#include <optional>
#include <string>
#include <vector>

namespace tarvex::win32::registration {

class RegistryAccess {
 public:
  virtual ~RegistryAccess() = default;

  virtual bool KeyExists(const std::string& key) const = 0;
  // The string value, or nothing when the key or value is missing or holds
  // no string.
  virtual std::optional<std::string> ReadString(const std::string& key,
                                                const std::string& name) const = 0;
  // Whether the key has neither values nor subkeys (false when it is missing).
  virtual bool IsKeyEmpty(const std::string& key) const = 0;
  // The names of the key's subkeys, and of its values ("" for the default
  // value); nothing when the key is missing.
  virtual std::vector<std::string> SubKeys(const std::string& key) const = 0;
  virtual std::vector<std::string> ValueNames(const std::string& key) const = 0;

  // Each returns false when the registry refused. Writing creates the key
  // and its parents. Deleting what does not exist succeeds.
  virtual bool WriteString(const std::string& key, const std::string& name,
                           const std::string& value) = 0;
  virtual bool DeleteValue(const std::string& key, const std::string& name) = 0;
  // The key with everything below it.
  virtual bool DeleteTree(const std::string& key) = 0;
};

}  // namespace tarvex::win32::registration

#endif  // TARVEX_WIN32_REGISTRATION_REGISTRY_ACCESS_H_
