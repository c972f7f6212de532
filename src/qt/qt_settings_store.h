// The settings store on Linux: QSettings of the organisation "Local
// AppWizard-Generated Applications" and the application "Tarvex", one
// group per section.
#ifndef TARVEX_QT_QT_SETTINGS_STORE_H_
#define TARVEX_QT_QT_SETTINGS_STORE_H_

#include <QSettings>

#include "shell/settings_store.h"

namespace tarvex::qt {

class QtSettingsStore : public shell::SettingsStore {
 public:
  std::optional<std::string> ReadString(std::string_view section, std::string_view entry) override;
  std::optional<int> ReadInt(std::string_view section, std::string_view entry) override;
  void WriteString(std::string_view section, std::string_view entry,
                   std::string_view value) override;
  void WriteInt(std::string_view section, std::string_view entry, int value) override;
  void Remove(std::string_view section, std::string_view entry) override;

 private:
  QSettings settings_;
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_QT_SETTINGS_STORE_H_
