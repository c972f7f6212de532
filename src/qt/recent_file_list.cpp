#include "qt/recent_file_list.h"

#include <QSettings>

namespace tarvex::qt {
namespace {
const QString kSection = QStringLiteral("Recent File List");
QString EntryName(int n) {
  return QStringLiteral("File%1").arg(n);
}
}  // namespace

void RecentFileList::Add(const QString& path) {
  paths_.removeAll(path);
  paths_.prepend(path);
  while (paths_.size() > kSize) paths_.removeLast();
}

void RecentFileList::Remove(int index) {
  if (index >= 0 && index < paths_.size()) paths_.removeAt(index);
}

void RecentFileList::Load(QSettings& settings) {
  paths_.clear();
  settings.beginGroup(kSection);
  for (int n = 1; n <= kSize; ++n) {
    const QString path = settings.value(EntryName(n)).toString();
    if (!path.isEmpty() && !paths_.contains(path)) paths_.append(path);
  }
  settings.endGroup();
}

void RecentFileList::Save(QSettings& settings) const {
  settings.beginGroup(kSection);
  for (int n = 1; n <= kSize; ++n) {
    if (n <= paths_.size()) {
      settings.setValue(EntryName(n), paths_[n - 1]);
    } else {
      settings.remove(EntryName(n));
    }
  }
  settings.endGroup();
}

QString RecentFileList::DisplayName(const QString& path, int maxLength) {
  if (path.size() <= maxLength) return path;
  const QStringList parts = path.split(QLatin1Char('/'));
  const QString& name = parts.last();
  if (name.size() > maxLength) return name.left(maxLength - 3) + QStringLiteral("...");
  // "/first/.../last folders/name": needs a first folder and something to leave out.
  if (parts.size() < 4 || !parts.first().isEmpty()) return name;
  const QString head = QLatin1Char('/') + parts[1] + QStringLiteral("/...");
  QString tail = QLatin1Char('/') + name;
  if (head.size() + tail.size() > maxLength) return name;
  for (qsizetype k = parts.size() - 2; k >= 2; --k) {
    const QString longer = QLatin1Char('/') + parts[k] + tail;
    if (head.size() + longer.size() > maxLength) break;
    tail = longer;
  }
  return head + tail;
}

}  // namespace tarvex::qt
