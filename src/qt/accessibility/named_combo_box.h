// A combo box that screen readers know by its name, whatever it shows.
//
// Qt's own accessible combo box on Linux reports the current entry as its
// name, so a box named "Keyword type" is read as "Int" and a screen reader
// cannot tell the boxes apart. This one keeps the accessible name as set
// and reports the entry shown as its value.
#ifndef TARVEX_QT_ACCESSIBILITY_NAMED_COMBO_BOX_H_
#define TARVEX_QT_ACCESSIBILITY_NAMED_COMBO_BOX_H_

#include <QComboBox>

namespace tarvex::qt {

class NamedComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit NamedComboBox(QWidget* parent = nullptr);

  // Draws a disabled box in the normal text colours: it is disabled only
  // so that it cannot be edited or opened, and must stay readable.
  void KeepReadableWhenDisabled();
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_ACCESSIBILITY_NAMED_COMBO_BOX_H_
