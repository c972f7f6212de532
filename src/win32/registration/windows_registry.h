// RegistryAccess over the real registry: the classes below one key (for
// example HKEY_CURRENT_USER\Software\Classes, or HKEY_CLASSES_ROOT itself),
// in one view on 64-bit Windows (KEY_WOW64_64KEY or KEY_WOW64_32KEY; 0 is
// the process's own). Every key is opened in that view, children too.
#ifndef TARVEX_WIN32_REGISTRATION_WINDOWS_REGISTRY_H_
#define TARVEX_WIN32_REGISTRATION_WINDOWS_REGISTRY_H_

#include <string>
#include <vector>

#include "platform/windows_api.h"
#include "win32/registration/registry_access.h"

namespace tarvex::win32::registration {

class WindowsRegistry : public RegistryAccess {
 public:
  // `base` is the path of the classes below `root`, "" for `root` itself.
  WindowsRegistry(HKEY root, const std::wstring& base, REGSAM view);

  bool KeyExists(const std::string& key) const override;
  std::optional<std::string> ReadString(const std::string& key,
                                        const std::string& name) const override;
  bool IsKeyEmpty(const std::string& key) const override;
  std::vector<std::string> SubKeys(const std::string& key) const override;
  std::vector<std::string> ValueNames(const std::string& key) const override;
  bool WriteString(const std::string& key, const std::string& name,
                   const std::string& value) override;
  bool DeleteValue(const std::string& key, const std::string& name) override;
  bool DeleteTree(const std::string& key) override;

 private:
  std::wstring Path(const std::string& key) const;
  bool DeleteTreeAt(HKEY parent, const std::wstring& subkey);

  HKEY root_;
  std::wstring base_;
  REGSAM view_;
};

// UTF-8 and the registry's UTF-16.
std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

}  // namespace tarvex::win32::registration

#endif  // TARVEX_WIN32_REGISTRATION_WINDOWS_REGISTRY_H_
