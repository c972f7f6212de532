// CInPlaceFrame: the frame around the text view while an object is edited
// in place, inside a container's window. It carries menu 4 and toolbar 4
// itself (the desktop merges no menus into the container's), a hatched
// resize border that asks the container for a new size, and refuses every
// drop over the object.
#ifndef TARVEX_QT_EMBEDDING_IN_PLACE_FRAME_H_
#define TARVEX_QT_EMBEDDING_IN_PLACE_FRAME_H_

#include <QMap>
#include <QPointer>
#include <QWidget>
#include <functional>

class QAction;
class QMenuBar;
class QToolBar;
class QVBoxLayout;

namespace tarvex::qt {

class CTarvexView;

class CInPlaceFrame : public QWidget {
  Q_OBJECT

 public:
  // `execute` runs a command of the view or the application by id.
  explicit CInPlaceFrame(std::function<void(int)> execute);
  ~CInPlaceFrame() override;

  // Builds the menu bar, m_wndInPlaceTools and the resize border. 0, or -1
  // when a part could not be built.
  int OnCreate();

  // The view moves into the frame (drops refused, Esc watched) and out of
  // it again, as it was.
  void SetView(CTarvexView* view);
  CTarvexView* TakeView();
  CTarvexView* view() const { return view_; }

  QAction* action(int id) const { return actions_.value(id); }
  QMenuBar* menuBar() const { return menuBar_; }
  QToolBar* m_wndInPlaceTools = nullptr;

  // Width of the resize border, in pixels.
  static constexpr int kBorder = 6;

 signals:
  // Esc in the view: ID_CANCEL_INPLACE.
  void cancelInPlace();
  // The user dragged the resize border: the frame's new size in pixels.
  void resizeRequested(QSize size);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;

 private:
  // Which edges a point of the border moves: bit 0 the right, bit 1 the bottom.
  int EdgesAt(QPoint point) const;
  QSize DraggedSize(QPoint point) const;
  void ConnectEnabledStates();

  std::function<void(int)> execute_;
  QVBoxLayout* layout_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  QPointer<CTarvexView> view_;
  QMap<int, QAction*> actions_;
  QList<QMetaObject::Connection> viewConnections_;
  int dragEdges_ = 0;
  QPoint dragStart_;
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_EMBEDDING_IN_PLACE_FRAME_H_
