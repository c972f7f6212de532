// Settings a program keeps in the registry, read and removed directly: the
// registry is one store for every process of a Wine prefix, as on Windows.
#include <string>

#include "driver/driver_internal.h"
#include "driver/ui_driver.h"

namespace tarvex::ui {

std::optional<std::wstring> RegistryString(HKEY root, const std::wstring& key,
                                           const std::wstring& value, REGSAM view) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE | view, &opened) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  DWORD bytes = 0;
  LSTATUS status =
      RegGetValueW(opened, nullptr, value.c_str(),
                   RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, nullptr, &bytes);
  std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
  if (status == ERROR_SUCCESS) {
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    status = RegGetValueW(opened, nullptr, value.c_str(),
                          RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, text.data(),
                          &bytes);
  }
  RegCloseKey(opened);
  if (status != ERROR_SUCCESS) return std::nullopt;
  text.resize(bytes / sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

std::optional<DWORD> RegistryNumber(HKEY root, const std::wstring& key, const std::wstring& value,
                                    REGSAM view) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE | view, &opened) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  DWORD number = 0;
  DWORD bytes = sizeof number;
  const LSTATUS status =
      RegGetValueW(opened, nullptr, value.c_str(), RRF_RT_REG_DWORD, nullptr, &number, &bytes);
  RegCloseKey(opened);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return number;
}

bool RegistryKeyExists(HKEY root, const std::wstring& key, REGSAM view) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ | view, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

::testing::AssertionResult DeleteRegistryKey(HKEY root, const std::wstring& key, REGSAM view) {
  HKEY opened = nullptr;
  LSTATUS status = RegOpenKeyExW(
      root, key.c_str(), 0,
      DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | KEY_SET_VALUE | view, &opened);
  if (status == ERROR_FILE_NOT_FOUND) return ::testing::AssertionSuccess();
  if (status == ERROR_SUCCESS) {
    status = RegDeleteTreeW(opened, nullptr);
    RegCloseKey(opened);
  }
  if (status == ERROR_SUCCESS) status = RegDeleteKeyExW(root, key.c_str(), view, 0);
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    return ::testing::AssertionFailure() << "cannot delete registry key " << Utf8(key) << ": "
                                         << SystemMessage(static_cast<DWORD>(status));
  }
  return ::testing::AssertionSuccess();
}

}  // namespace tarvex::ui
