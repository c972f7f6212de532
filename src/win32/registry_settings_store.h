// The settings store in the registry: HKEY_CURRENT_USER\Software\Local
// AppWizard-Generated Applications\Tarvex, one key a section, texts as
// REG_SZ and numbers as REG_DWORD, read and written as ANSI.
#ifndef TARVEX_WIN32_REGISTRY_SETTINGS_STORE_H_
#define TARVEX_WIN32_REGISTRY_SETTINGS_STORE_H_

#include <string>

#include "shell/settings_store.h"

namespace tarvex::win32 {

class RegistrySettingsStore : public shell::SettingsStore {
 public:
  // The application's key below HKEY_CURRENT_USER.
  static std::string ApplicationKey();

  std::optional<std::string> ReadString(std::string_view section, std::string_view entry) override;
  std::optional<int> ReadInt(std::string_view section, std::string_view entry) override;
  void WriteString(std::string_view section, std::string_view entry,
                   std::string_view value) override;
  void WriteInt(std::string_view section, std::string_view entry, int value) override;
  void Remove(std::string_view section, std::string_view entry) override;
};

}  // namespace tarvex::win32

#endif  // TARVEX_WIN32_REGISTRY_SETTINGS_STORE_H_
