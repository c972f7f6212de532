#include "qt/accessibility/named_combo_box.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>

namespace tarvex::qt {
namespace {

class NamedComboBoxAccessible : public QAccessibleWidget {
 public:
  explicit NamedComboBoxAccessible(QWidget* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

  QString text(QAccessible::Text what) const override {
    switch (what) {
      case QAccessible::Name:
        return widget()->accessibleName();
      case QAccessible::Value:
        return box()->currentText();
      default:
        return QAccessibleWidget::text(what);
    }
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.expandable = true;
    s.expanded = box()->view()->isVisible();
    return s;
  }

  // The dropped list, as Qt's own combo box offers it.
  int childCount() const override { return 1; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 ? QAccessible::queryAccessibleInterface(box()->view()) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child && child->object() == box()->view() ? 0 : -1;
  }

  QStringList actionNames() const override {
    return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& name) override {
    if (name == showMenuAction() || name == pressAction()) {
      if (box()->isEnabled()) box()->showPopup();
      return;
    }
    QAccessibleWidget::doAction(name);
  }

 private:
  QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (className == QLatin1String(NamedComboBox::staticMetaObject.className()) &&
      object->isWidgetType()) {
    return new NamedComboBoxAccessible(static_cast<QWidget*>(object));
  }
  return nullptr;
}

}  // namespace

NamedComboBox::NamedComboBox(QWidget* parent) : QComboBox(parent) {
  static const bool installed = (QAccessible::installFactory(Factory), true);
  (void)installed;
}

void NamedComboBox::KeepReadableWhenDisabled() {
  QPalette colours = palette();
  for (QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText,
                                   QPalette::Base, QPalette::Button, QPalette::Window}) {
    colours.setColor(QPalette::Disabled, role, colours.color(QPalette::Active, role));
  }
  setPalette(colours);
  setFocusPolicy(Qt::NoFocus);
}

}  // namespace tarvex::qt
