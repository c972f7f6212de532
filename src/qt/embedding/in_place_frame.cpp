#include "qt/embedding/in_place_frame.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QToolBar>
#include <QVBoxLayout>

#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "qt/resources/frame_resources.h"
#include "qt/tarvex_view.h"
#include "qt/text_codec.h"

namespace tarvex::qt {
namespace {

constexpr int kRightEdge = 1;
constexpr int kBottomEdge = 2;

QString TextPart(std::string_view text, bool toolTip) {
  const std::string_view part = toolTip ? ToolTipOf(text) : PromptOf(text);
  return QString::fromUtf8(part.data(), static_cast<qsizetype>(part.size()));
}

}  // namespace

CInPlaceFrame::CInPlaceFrame(std::function<void(int)> execute) : execute_(std::move(execute)) {
  setObjectName(QStringLiteral("CInPlaceFrame"));
  setWindowTitle(LoadText(IDS_APP_TITLE));
  setAcceptDrops(false);
  setMouseTracking(true);
}

CInPlaceFrame::~CInPlaceFrame() = default;

int CInPlaceFrame::OnCreate() {
  auto make = [this](int id, const QString& caption) {
    QAction* action = actions_.value(id);
    if (action) return action;
    action = new QAction(caption.section(QLatin1Char('\t'), 0, 0), this);
    const std::string_view text = LoadStringText(id);
    action->setStatusTip(TextPart(text, false));
    if (!ToolTipOf(text).empty()) action->setToolTip(TextPart(text, true));
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, id] {
      if (id == ID_VIEW_TOOLBAR) {
        m_wndInPlaceTools->setVisible(!m_wndInPlaceTools->isVisible());
        actions_.value(ID_VIEW_TOOLBAR)->setChecked(m_wndInPlaceTools->isVisible());
      } else {
        execute_(id);
      }
    });
    addAction(action);
    actions_.insert(id, action);
    return action;
  };

  menuBar_ = new QMenuBar(this);
  menuBar_->setNativeMenuBar(false);
  for (const resources::Menu& table : resources::InPlaceMenu()) {
    QMenu* menu = menuBar_->addMenu(QString::fromLatin1(table.caption));
    for (const resources::MenuItem& item : table.items) {
      if (item.id == ID_SEPARATOR) {
        menu->addSeparator();
      } else {
        menu->addAction(make(item.id, QString::fromLatin1(item.caption)));
      }
    }
  }
  for (const resources::Accelerator& key : resources::InPlaceAccelerators()) {
    // Esc is taken from the view's own keys (eventFilter): the editor
    // claims it before any shortcut sees it.
    if (key.id == ID_CANCEL_INPLACE) continue;
    QAction* action = make(key.id, QString());
    QList<QKeySequence> keys = action->shortcuts();
    keys << QKeySequence(QString::fromLatin1(key.keys), QKeySequence::PortableText);
    action->setShortcuts(keys);
  }
  actions_.value(ID_VIEW_TOOLBAR)->setCheckable(true);
  actions_.value(ID_VIEW_TOOLBAR)->setChecked(true);

  m_wndInPlaceTools = new QToolBar(this);
  m_wndInPlaceTools->setObjectName(QStringLiteral("m_wndInPlaceTools"));
  m_wndInPlaceTools->setIconSize(
      QSize(resources::kInPlaceImageWidth, resources::kInPlaceImageHeight));
  for (const resources::ToolbarEntry& entry : resources::InPlaceToolbar()) {
    if (entry.id == ID_SEPARATOR) {
      m_wndInPlaceTools->addSeparator();
      continue;
    }
    QAction* action = make(entry.id, TextPart(ToolTipOf(LoadStringText(entry.id)), false));
    if (entry.image) action->setIcon(resources::ToolbarIcon(entry.image));
    m_wndInPlaceTools->addAction(action);
  }

  layout_ = new QVBoxLayout(this);
  layout_->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
  layout_->setSpacing(0);
  layout_->setMenuBar(menuBar_);
  layout_->addWidget(m_wndInPlaceTools);
  return 0;
}

void CInPlaceFrame::SetView(CTarvexView* view) {
  view_ = view;
  layout_->addWidget(view, 1);
  view->show();
  // Nothing dragged over the object reaches it or the container behind it.
  view->setAcceptDrops(false);
  view->viewport()->setAcceptDrops(false);
  view->installEventFilter(this);
  ConnectEnabledStates();
}

CTarvexView* CInPlaceFrame::TakeView() {
  CTarvexView* view = view_;
  if (!view) return nullptr;
  for (const QMetaObject::Connection& c : viewConnections_) disconnect(c);
  viewConnections_.clear();
  view->removeEventFilter(this);
  view->setAcceptDrops(true);
  view->viewport()->setAcceptDrops(true);
  layout_->removeWidget(view);
  view->setParent(nullptr);
  view_ = nullptr;
  return view;
}

void CInPlaceFrame::ConnectEnabledStates() {
  QAction* undo = actions_.value(ID_EDIT_UNDO);
  QAction* cut = actions_.value(ID_EDIT_CUT);
  QAction* copy = actions_.value(ID_EDIT_COPY);
  QAction* paste = actions_.value(ID_EDIT_PASTE);
  undo->setEnabled(view_->CanUndo());
  cut->setEnabled(view_->hasSelectedText());
  copy->setEnabled(view_->hasSelectedText());
  paste->setEnabled(view_->CanPaste());
  viewConnections_ << connect(view_, &CTarvexView::undoAvailable, undo, &QAction::setEnabled)
                   << connect(view_, &QsciScintilla::copyAvailable, cut, &QAction::setEnabled)
                   << connect(view_, &QsciScintilla::copyAvailable, copy, &QAction::setEnabled)
                   << connect(view_, &CTarvexView::pasteAvailable, paste, &QAction::setEnabled)
                   << connect(view_, &QsciScintilla::textChanged, this,
                              [this, undo] { undo->setEnabled(view_->CanUndo()); });
}

bool CInPlaceFrame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
      emit cancelInPlace();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void CInPlaceFrame::paintEvent(QPaintEvent*) {
  // The hatched border that says "this object is being edited here".
  QPainter painter(this);
  const QRect outer = rect();
  const QRect inner = outer.adjusted(kBorder, kBorder, -kBorder, -kBorder);
  const QBrush hatch(palette().color(QPalette::WindowText), Qt::BDiagPattern);
  QRegion border(outer);
  border -= QRegion(inner);
  painter.setClipRegion(border);
  painter.fillRect(outer, palette().color(QPalette::Window));
  painter.fillRect(outer, hatch);
}

int CInPlaceFrame::EdgesAt(QPoint point) const {
  int edges = 0;
  if (point.x() >= width() - kBorder) edges |= kRightEdge;
  if (point.y() >= height() - kBorder) edges |= kBottomEdge;
  return edges;
}

QSize CInPlaceFrame::DraggedSize(QPoint point) const {
  const QPoint delta = point - dragStart_;
  QSize size = this->size();
  if (dragEdges_ & kRightEdge) size.rwidth() += delta.x();
  if (dragEdges_ & kBottomEdge) size.rheight() += delta.y();
  return size.expandedTo(minimumSizeHint());
}

void CInPlaceFrame::mousePressEvent(QMouseEvent* e) {
  dragEdges_ = e->button() == Qt::LeftButton ? EdgesAt(e->position().toPoint()) : 0;
  dragStart_ = e->position().toPoint();
  QWidget::mousePressEvent(e);
}

void CInPlaceFrame::mouseMoveEvent(QMouseEvent* e) {
  const int edges = dragEdges_ ? dragEdges_ : EdgesAt(e->position().toPoint());
  switch (edges) {
    case kRightEdge:
      setCursor(Qt::SizeHorCursor);
      break;
    case kBottomEdge:
      setCursor(Qt::SizeVerCursor);
      break;
    case kRightEdge | kBottomEdge:
      setCursor(Qt::SizeFDiagCursor);
      break;
    default:
      unsetCursor();
  }
  QWidget::mouseMoveEvent(e);
}

void CInPlaceFrame::mouseReleaseEvent(QMouseEvent* e) {
  // The container owns the socket's size: the frame asks, and is resized
  // when the container agrees.
  if (dragEdges_ && e->button() == Qt::LeftButton) {
    const QSize size = DraggedSize(e->position().toPoint());
    dragEdges_ = 0;
    if (size != this->size()) emit resizeRequested(size);
  }
  QWidget::mouseReleaseEvent(e);
}

void CInPlaceFrame::dragEnterEvent(QDragEnterEvent* e) {
  e->ignore();
}

}  // namespace tarvex::qt
