#include "qt/accessibility/separator_role.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace tarvex::qt {
namespace {

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (className == QLatin1String("QToolBarSeparator") && object->isWidgetType()) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Separator);
  }
  return nullptr;
}

}  // namespace

void InstallToolbarSeparatorRole() {
  static const bool installed = (QAccessible::installFactory(Factory), true);
  (void)installed;
}

}  // namespace tarvex::qt
