#include "qt/keyword_toolbar.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QIcon>
#include <QKeyEvent>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "qt/accessibility/named_combo_box.h"
#include "qt/accessibility/separator_role.h"
#include "qt/resources/frame_resources.h"
#include "qt/text_codec.h"

namespace tarvex::qt {
namespace {

constexpr int kDroppedListHeight = 200;

QComboBox* MakeBox(QWidget* parent, int id) {
  auto* box = new NamedComboBox(parent);
  box->setObjectName(QStringLiteral("box%1").arg(id));
  box->setAccessibleName(QString::fromLatin1(shell::KeywordBoxName(id)));
  const QString text = LoadText(id);
  const qsizetype lineFeed = text.indexOf(QLatin1Char('\n'));
  if (lineFeed >= 0) {
    box->setStatusTip(text.left(lineFeed));
    box->setToolTip(text.mid(lineFeed + 1));
  }
  return box;
}

bool IsListNavigationKey(int key) {
  return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
         key == Qt::Key_PageDown || key == Qt::Key_Home || key == Qt::Key_End;
}

}  // namespace

CKeywordToolBar::CKeywordToolBar(QWidget* parent) : QToolBar(parent) {
  setObjectName(QStringLiteral("m_wndTools"));
  setWindowTitle(QStringLiteral("Toolbar"));
  setIconSize(QSize(resources::kToolbarImageWidth, resources::kToolbarImageHeight));
  setToolButtonStyle(Qt::ToolButtonIconOnly);
  setMovable(true);
  setFloatable(true);
  setAllowedAreas(Qt::AllToolBarAreas);

  InstallToolbarSeparatorRole();
  // The button that offers what a narrow window has no room for; Qt leaves it unnamed.
  if (auto* more = findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"))) {
    more->setAccessibleName(QStringLiteral("More toolbar entries"));
  }

  m_wndKeywordBox = MakeBox(this, ID_KEYWORD);
  m_wndTypeBox = MakeBox(this, ID_KEYWORD_TYPE);
  m_wndMinBox = MakeBox(this, ID_KEYWORD_MIN);
  m_wndMaxBox = MakeBox(this, ID_KEYWORD_MAX);

  connect(m_wndKeywordBox, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0) emit keywordSelChange();
  });
  // In the dropped list the arrow keys choose at every step, as they do in
  // the closed box.
  m_wndKeywordBox->view()->installEventFilter(this);
}

void CKeywordToolBar::LoadToolBar(const QMap<int, QAction*>& actions) {
  for (const resources::ToolbarEntry& entry : resources::MainToolbar()) {
    if (entry.id == ID_SEPARATOR) {
      addSeparator();
    } else if (entry.boxWidth > 0) {
      placeholders_.insert(entry.id, addSeparator());
    } else if (QAction* action = actions.value(entry.id)) {
      action->setIcon(resources::ToolbarIcon(entry.image));
      action->setIconVisibleInMenu(false);
      addAction(action);
    }
  }
}

QComboBox* CKeywordToolBar::BoxOf(int id) const {
  switch (id) {
    case ID_KEYWORD:
      return m_wndKeywordBox;
    case ID_KEYWORD_TYPE:
      return m_wndTypeBox;
    case ID_KEYWORD_MIN:
      return m_wndMinBox;
    case ID_KEYWORD_MAX:
      return m_wndMaxBox;
  }
  return nullptr;
}

bool CKeywordToolBar::CreateBox(int id, int width) {
  QAction* placeholder = placeholders_.take(id);
  QComboBox* box = BoxOf(id);
  if (!placeholder || !box) return false;
  box->setFixedWidth(width);
  if (id == ID_KEYWORD) {
    const int rowHeight = std::max(1, box->fontMetrics().height() + 4);
    box->setMaxVisibleItems(std::max(1, kDroppedListHeight / rowHeight));
  } else {
    // A box that only displays: no list to open, so no arrow taking its room.
    box->setStyleSheet(
        QStringLiteral("QComboBox { padding: 1px 3px; }"
                       "QComboBox::drop-down { width: 0px; border: none; }"
                       "QComboBox::down-arrow { image: none; }"));
    box->setEnabled(false);
    static_cast<NamedComboBox*>(box)->KeepReadableWhenDisabled();
  }
  insertWidget(placeholder, box);
  removeAction(placeholder);
  delete placeholder;
  box->show();
  return true;
}

void CKeywordToolBar::AddKeyword(const QString& name) {
  // The first entry that sorts after the name, so that equal names keep
  // the order in which they were added.
  int low = 0;
  int high = m_wndKeywordBox->count();
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (QString::compare(m_wndKeywordBox->itemText(middle), name, Qt::CaseInsensitive) <= 0) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  const QSignalBlocker quiet(m_wndKeywordBox);
  m_wndKeywordBox->insertItem(low, name);
  m_wndKeywordBox->setCurrentIndex(-1);  // nothing is chosen until the user chooses
}

QString CKeywordToolBar::KeywordText() const {
  return m_wndKeywordBox->currentIndex() < 0 ? QString() : m_wndKeywordBox->currentText();
}

void CKeywordToolBar::ShowInBox(ValueBox which, const QString& text) {
  QComboBox* box = which == ValueBox::kType      ? m_wndTypeBox
                   : which == ValueBox::kMinimum ? m_wndMinBox
                                                 : m_wndMaxBox;
  box->clear();
  box->addItem(text);
  box->setCurrentIndex(0);
}

bool CKeywordToolBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_wndKeywordBox->view() && event->type() == QEvent::KeyPress &&
      IsListNavigationKey(static_cast<QKeyEvent*>(event)->key())) {
    // After the list has moved its highlight.
    QTimer::singleShot(0, this, [this] {
      const int row = m_wndKeywordBox->view()->currentIndex().row();
      if (row >= 0) m_wndKeywordBox->setCurrentIndex(row);
    });
  }
  return QToolBar::eventFilter(watched, event);
}

}  // namespace tarvex::qt
