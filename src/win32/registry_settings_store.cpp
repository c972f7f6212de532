#include "win32/registry_settings_store.h"

#include <vector>

#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "win32/win32_api.h"

namespace tarvex::win32 {
namespace {

std::string SectionKey(std::string_view section) {
  return RegistrySettingsStore::ApplicationKey() + "\\" + std::string(section);
}

// The section's key, opened for reading, or created for writing; null when
// it cannot be had.
HKEY OpenSection(std::string_view section, bool write) {
  HKEY key = nullptr;
  const std::string path = SectionKey(section);
  const LONG status = write ? RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                              KEY_WRITE, nullptr, &key, nullptr)
                            : RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
  return status == ERROR_SUCCESS ? key : nullptr;
}

}  // namespace

std::string RegistrySettingsStore::ApplicationKey() {
  return std::string("Software\\") + shell::kSettingsKey + "\\" +
         std::string(LoadStringText(IDS_APP_TITLE));
}

std::optional<std::string> RegistrySettingsStore::ReadString(std::string_view section,
                                                             std::string_view entry) {
  HKEY key = OpenSection(section, false);
  if (!key) return std::nullopt;
  const std::string name(entry);
  DWORD type = 0;
  DWORD size = 0;
  std::optional<std::string> value;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      type == REG_SZ) {
    std::vector<char> data(size + 1, '\0');
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &size) == ERROR_SUCCESS) {
      value = std::string(data.data());  // up to the terminating NUL
    }
  }
  RegCloseKey(key);
  return value;
}

std::optional<int> RegistrySettingsStore::ReadInt(std::string_view section,
                                                  std::string_view entry) {
  HKEY key = OpenSection(section, false);
  if (!key) return std::nullopt;
  const std::string name(entry);
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  const LONG status =
      RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_DWORD) return std::nullopt;
  return static_cast<int>(value);
}

void RegistrySettingsStore::WriteString(std::string_view section, std::string_view entry,
                                        std::string_view value) {
  HKEY key = OpenSection(section, true);
  if (!key) return;
  const std::string name(entry);
  const std::string data(value);
  RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>(data.size() + 1));
  RegCloseKey(key);
}

void RegistrySettingsStore::WriteInt(std::string_view section, std::string_view entry, int value) {
  HKEY key = OpenSection(section, true);
  if (!key) return;
  const std::string name(entry);
  const auto data = static_cast<DWORD>(value);
  RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                 sizeof data);
  RegCloseKey(key);
}

void RegistrySettingsStore::Remove(std::string_view section, std::string_view entry) {
  HKEY key = OpenSection(section, true);
  if (!key) return;
  const std::string name(entry);
  RegDeleteValueA(key, name.c_str());
  RegCloseKey(key);
}

}  // namespace tarvex::win32
