#include "qt/qt_settings_store.h"

#include "qt/text_codec.h"

namespace tarvex::qt {
namespace {

QString Key(std::string_view section, std::string_view entry) {
  return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) +
         QLatin1Char('/') + QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size()));
}

}  // namespace

std::optional<std::string> QtSettingsStore::ReadString(std::string_view section,
                                                       std::string_view entry) {
  const QVariant value = settings_.value(Key(section, entry));
  if (!value.isValid()) return std::nullopt;
  return ToPath(value.toString());
}

std::optional<int> QtSettingsStore::ReadInt(std::string_view section, std::string_view entry) {
  bool ok = false;
  const int value = settings_.value(Key(section, entry)).toInt(&ok);
  if (!ok) return std::nullopt;
  return value;
}

void QtSettingsStore::WriteString(std::string_view section, std::string_view entry,
                                  std::string_view value) {
  settings_.setValue(Key(section, entry), FromPath(std::string(value)));
}

void QtSettingsStore::WriteInt(std::string_view section, std::string_view entry, int value) {
  settings_.setValue(Key(section, entry), value);
}

void QtSettingsStore::Remove(std::string_view section, std::string_view entry) {
  settings_.remove(Key(section, entry));
}

}  // namespace tarvex::qt
