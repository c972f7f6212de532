// The per-user settings store: named entries in named sections, kept by
// each shell in its platform's place (the registry on Windows, QSettings on
// Linux) under the key "Local AppWizard-Generated Applications", in the
// application's section "Tarvex".
#ifndef TARVEX_SHELL_SETTINGS_STORE_H_
#define TARVEX_SHELL_SETTINGS_STORE_H_

#include <optional>
#include <string>
#include <string_view>

namespace tarvex::shell {

inline constexpr const char* kSettingsKey = "Local AppWizard-Generated Applications";
inline constexpr const char* kRecentFileSection = "Recent File List";
inline constexpr const char* kSettingsSection = "Settings";
inline constexpr const char* kPreviewPagesEntry = "PreviewPages";

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // Nothing when the entry is missing or holds another kind of value.
  virtual std::optional<std::string> ReadString(std::string_view section,
                                                std::string_view entry) = 0;
  virtual std::optional<int> ReadInt(std::string_view section, std::string_view entry) = 0;

  // Writing never fails loudly: settings that cannot be kept are lost.
  virtual void WriteString(std::string_view section, std::string_view entry,
                           std::string_view value) = 0;
  virtual void WriteInt(std::string_view section, std::string_view entry, int value) = 0;
  virtual void Remove(std::string_view section, std::string_view entry) = 0;
};

}  // namespace tarvex::shell

#endif  // TARVEX_SHELL_SETTINGS_STORE_H_
