// What a screen reader gets, read through Qt's accessibility interfaces:
// status-bar panes, the keyword browser's boxes, menu items and toolbar.
#include <QAccessible>
#include <QMenuBar>
#include <QStatusTipEvent>

#include "editor_fixture.h"

namespace tarvex::qt::testing {
namespace {

QString Read(QObject* object, QAccessible::Text what = QAccessible::Name) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(object);
  return a ? a->text(what) : QStringLiteral("<no interface>");
}

// The contrast ratio of two colours, as the accessibility guidelines define it.
double Contrast(QColor a, QColor b) {
  auto luminance = [](QColor c) {
    auto channel = [](double v) {
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
  };
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The strongest contrast between the box's background (its most common
// colour) and any pixel of its text.
double TextContrast(QWidget* box) {
  const QImage image = box->grab().toImage();
  QMap<QRgb, int> counts;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y)];
  }
  QRgb background = counts.firstKey();
  for (auto it = counts.begin(); it != counts.end(); ++it) {
    if (it.value() > counts[background]) background = it.key();
  }
  // Inside the frame only, where the text is.
  double best = 1;
  for (int y = image.height() / 4; y < image.height() * 3 / 4; ++y) {
    for (int x = 4; x < image.width() - 4; ++x) {
      best = std::max(best, Contrast(QColor(image.pixel(x, y)), QColor(background)));
    }
  }
  return best;
}

class AccessibilityTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ASSERT_TRUE(Start());
  }
};

TEST_F(AccessibilityTest, StatusPanesReadWhatTheyShow) {
  CTarvexStatusBar& bar = *frame().m_wndStatus;
  EXPECT_EQ(Read(bar.Pane(ID_SEPARATOR)), "Ready");
  EXPECT_EQ(Read(bar.Pane(ID_SEPARATOR), QAccessible::Description), "Status");

  QStatusTipEvent tip(frame().action(ID_FILE_SAVE)->statusTip());
  QCoreApplication::sendEvent(&frame(), &tip);
  EXPECT_EQ(Read(bar.Pane(ID_SEPARATOR)), "Save the active document");

  EXPECT_EQ(LineCol(), "Ln 1, Col 1");
  EXPECT_EQ(Read(bar.Pane(ID_INDICATOR_LINECOL)), "Ln 1, Col 1");
  EXPECT_EQ(Read(bar.Pane(ID_INDICATOR_LINECOL), QAccessible::Description), "Line and column");

  bar.SetLockKeys({true, false, true});
  const struct {
    int id;
    const char* shown;
    const char* role;
  } locks[] = {{ID_INDICATOR_CAPS, "CAP", "Caps Lock"},
               {ID_INDICATOR_NUM, "", "Num Lock"},
               {ID_INDICATOR_SCRL, "SCRL", "Scroll Lock"}};
  for (const auto& lock : locks) {
    EXPECT_EQ(Read(bar.Pane(lock.id)), lock.shown) << lock.role;
    EXPECT_EQ(Read(bar.Pane(lock.id), QAccessible::Description), lock.role);
  }
}

TEST_F(AccessibilityTest, ValueBoxesAreReadableAndSayWhichTheyAre) {
  CKeywordToolBar& tools = *frame().m_wndTools;
  QComboBox* keywords = tools.m_wndKeywordBox;
  keywords->setCurrentIndex(keywords->findText("Timeout"));
  Settle();
  EXPECT_EQ(Read(keywords), "Keyword");  // keeps its name once a keyword is chosen
  EXPECT_EQ(Read(keywords, QAccessible::Value), "Timeout");
  const struct {
    QComboBox* box;
    const char* name;
  } boxes[] = {{tools.m_wndTypeBox, "Keyword type"},
               {tools.m_wndMinBox, "Keyword minimum value"},
               {tools.m_wndMaxBox, "Keyword maximum value"}};
  for (const auto& b : boxes) {
    EXPECT_FALSE(b.box->isEnabled()) << b.name;
    EXPECT_EQ(b.box->focusPolicy(), Qt::NoFocus) << b.name;
    EXPECT_EQ(Read(b.box), b.name);
    EXPECT_EQ(Read(b.box, QAccessible::Value), b.box->currentText()) << b.name;
    EXPECT_FALSE(b.box->currentText().isEmpty()) << b.name;
    EXPECT_GE(TextContrast(b.box), 4.5) << b.name;
  }
}

TEST_F(AccessibilityTest, MenuItemsAreNamedWithoutTheirShortcut) {
  for (QAction* title : frame().menuBar()->actions()) {
    QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(title->menu());
    ASSERT_NE(menu, nullptr);
    for (int i = 0; i < menu->childCount(); ++i) {
      const QString name = menu->child(i)->text(QAccessible::Name);
      EXPECT_FALSE(name.contains('\t')) << name.toStdString();
    }
  }
  QAccessibleInterface* file =
      QAccessible::queryAccessibleInterface(frame().menuBar()->actions()[0]->menu());
  EXPECT_EQ(file->child(0)->text(QAccessible::Name), "New");
  EXPECT_EQ(file->child(0)->text(QAccessible::Accelerator), "Ctrl+N");
}

TEST_F(AccessibilityTest, EverythingOnTheToolbarHasAName) {
  frame().resize(300, 400);  // narrow: the overflow button shows too
  Settle();
  QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(frame().m_wndTools);
  ASSERT_NE(bar, nullptr);
  int named = 0;
  for (int i = 0; i < bar->childCount(); ++i) {
    QAccessibleInterface* child = bar->child(i);
    if (child->role() == QAccessible::Separator) continue;
    EXPECT_FALSE(child->text(QAccessible::Name).isEmpty())
        << "child " << i << " role " << child->role();
    ++named;
  }
  EXPECT_GE(named, 12);
}

}  // namespace
}  // namespace tarvex::qt::testing
