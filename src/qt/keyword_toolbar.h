// CKeywordToolBar: the main toolbar, m_wndTools, with the keyword browser's
// four boxes: the sorted keyword list and the three disabled boxes that
// show the chosen keyword's type, minimum and maximum.
//
// The boxes exist with the toolbar; CreateBox puts one in place of its
// placeholder entry when the frame is created.
#ifndef TARVEX_QT_KEYWORD_TOOLBAR_H_
#define TARVEX_QT_KEYWORD_TOOLBAR_H_

#include <QMap>
#include <QToolBar>

#include "platform/window_system.h"

class QAction;
class QComboBox;

namespace tarvex::qt {

class CKeywordToolBar : public QToolBar {
  Q_OBJECT

 public:
  explicit CKeywordToolBar(QWidget* parent = nullptr);

  // Adds the entries of toolbar 128: a button for each command (the frame's
  // action of that id), a separator, or a box's placeholder.
  void LoadToolBar(const QMap<int, QAction*>& actions);

  // Lays the box of `id` over its placeholder, `width` pixels wide. False
  // when the toolbar holds no placeholder of that id.
  bool CreateBox(int id, int width);

  // The keyword list: adds a name at its sorted place (letter case ignored,
  // equal names in the order added) and reads the chosen name.
  void AddKeyword(const QString& name);
  QString KeywordText() const;

  // Makes `text` the only, selected entry of a value box.
  void ShowInBox(ValueBox box, const QString& text);

  QComboBox* m_wndKeywordBox;
  QComboBox* m_wndTypeBox;
  QComboBox* m_wndMinBox;
  QComboBox* m_wndMaxBox;

 signals:
  // The keyword box's selection changed, by mouse or keyboard.
  void keywordSelChange();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QComboBox* BoxOf(int id) const;

  QMap<int, QAction*> placeholders_;
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_KEYWORD_TOOLBAR_H_
