#include "win32/registration/windows_registry.h"

#include <vector>

namespace tarvex::win32::registration {
namespace {

// A key handle closed when it goes.
class Key {
 public:
  Key() = default;
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  ~Key() {
    if (key_) RegCloseKey(key_);
  }
  HKEY* put() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

std::wstring Widen(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size,
                      nullptr, nullptr);
  return narrow;
}

WindowsRegistry::WindowsRegistry(HKEY root, const std::wstring& base, REGSAM view)
    : root_(root), base_(base), view_(view) {}

std::wstring WindowsRegistry::Path(const std::string& key) const {
  if (base_.empty()) return Widen(key);
  return key.empty() ? base_ : base_ + L"\\" + Widen(key);
}

bool WindowsRegistry::KeyExists(const std::string& key) const {
  Key k;
  return RegOpenKeyExW(root_, Path(key).c_str(), 0, KEY_QUERY_VALUE | view_, k.put()) ==
         ERROR_SUCCESS;
}

std::optional<std::string> WindowsRegistry::ReadString(const std::string& key,
                                                       const std::string& name) const {
  Key k;
  if (RegOpenKeyExW(root_, Path(key).c_str(), 0, KEY_QUERY_VALUE | view_, k.put()) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  const std::wstring valueName = Widen(name);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(k.get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::nullopt;
  }
  std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
  if (RegQueryValueExW(k.get(), valueName.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  data.resize(size / sizeof(wchar_t));
  while (!data.empty() && data.back() == L'\0') data.pop_back();
  return Narrow(data);
}

bool WindowsRegistry::IsKeyEmpty(const std::string& key) const {
  Key k;
  if (RegOpenKeyExW(root_, Path(key).c_str(), 0, KEY_QUERY_VALUE | view_, k.put()) !=
      ERROR_SUCCESS) {
    return false;
  }
  DWORD subkeys = 0;
  DWORD values = 0;
  if (RegQueryInfoKeyW(k.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                       nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  return subkeys == 0 && values == 0;
}

namespace {

// The names `next` gives for the open key's indices 0, 1, ... until it
// fails, each into room for `longest` characters and the end.
template <typename Next>
std::vector<std::string> NamesOf(HKEY key, std::size_t longest, Next next) {
  std::vector<std::string> names;
  std::wstring name(longest + 1, L'\0');
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(name.size());
    if (next(key, i, name.data(), &length) != ERROR_SUCCESS) return names;
    names.push_back(Narrow(name.substr(0, length)));
  }
}

}  // namespace

std::vector<std::string> WindowsRegistry::SubKeys(const std::string& key) const {
  Key k;
  if (RegOpenKeyExW(root_, Path(key).c_str(), 0, KEY_ENUMERATE_SUB_KEYS | view_, k.put()) !=
      ERROR_SUCCESS) {
    return {};
  }
  // 255 characters: the longest key name the registry allows.
  return NamesOf(k.get(), 255, [](HKEY h, DWORD i, wchar_t* name, DWORD* length) {
    return RegEnumKeyExW(h, i, name, length, nullptr, nullptr, nullptr, nullptr);
  });
}

std::vector<std::string> WindowsRegistry::ValueNames(const std::string& key) const {
  Key k;
  if (RegOpenKeyExW(root_, Path(key).c_str(), 0, KEY_QUERY_VALUE | view_, k.put()) !=
      ERROR_SUCCESS) {
    return {};
  }
  // 16,383 characters: the longest value name the registry allows.
  return NamesOf(k.get(), 16383, [](HKEY h, DWORD i, wchar_t* name, DWORD* length) {
    return RegEnumValueW(h, i, name, length, nullptr, nullptr, nullptr, nullptr);
  });
}

bool WindowsRegistry::WriteString(const std::string& key, const std::string& name,
                                  const std::string& value) {
  Key k;
  if (RegCreateKeyExW(root_, Path(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE | view_, nullptr,
                      k.put(), nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const std::wstring data = Widen(value);
  return RegSetValueExW(k.get(), Widen(name).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(data.c_str()),
                        static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool WindowsRegistry::DeleteValue(const std::string& key, const std::string& name) {
  Key k;
  const LONG opened = RegOpenKeyExW(root_, Path(key).c_str(), 0, KEY_SET_VALUE | view_, k.put());
  if (opened == ERROR_FILE_NOT_FOUND) return true;
  if (opened != ERROR_SUCCESS) return false;
  const LONG deleted = RegDeleteValueW(k.get(), Widen(name).c_str());
  return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

bool WindowsRegistry::DeleteTree(const std::string& key) {
  return DeleteTreeAt(root_, Path(key));
}

// RegDeleteTree would open the children in the process's own view: each
// key here is opened, and deleted, in this registry's view.
bool WindowsRegistry::DeleteTreeAt(HKEY parent, const std::wstring& subkey) {
  std::vector<std::wstring> children;
  {
    Key k;
    const LONG opened = RegOpenKeyExW(parent, subkey.c_str(), 0,
                                      KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | view_, k.put());
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (opened != ERROR_SUCCESS) return false;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
      DWORD length = 256;
      const LONG got = RegEnumKeyExW(k.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
      if (got != ERROR_SUCCESS) break;
      children.emplace_back(name, length);
    }
  }
  bool ok = true;
  for (const std::wstring& child : children)
    ok = DeleteTreeAt(parent, subkey + L"\\" + child) && ok;
  const LONG deleted = RegDeleteKeyExW(parent, subkey.c_str(), view_, 0);
  return ok && (deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND);
}

}  // namespace tarvex::win32::registration
