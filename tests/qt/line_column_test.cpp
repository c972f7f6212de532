// The line and column indicator: rows counted as the view shows them.
#include "editor_fixture.h"

namespace tarvex::qt::testing {
namespace {

class LineColumnTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ASSERT_TRUE(Start());
    view().setFocus();
  }
  void Caret(long offset) {
    view().SendScintilla(QsciScintillaBase::SCI_GOTOPOS, static_cast<unsigned long>(offset));
  }
};

TEST_F(LineColumnTest, NewDocumentShowsLineOneColumnOne) {
  EXPECT_EQ(LineCol(), "Ln 1, Col 1");
}

TEST_F(LineColumnTest, ThirdLineThenATabAndTwoLetters) {
  view().SetBytes("A = 1\r\nB = 2\r\nC = 3\r\n");
  Caret(14);
  EXPECT_EQ(LineCol(), "Ln 3, Col 1");
  QTest::keyClick(&view(), Qt::Key_Tab);
  QTest::keyClicks(&view(), QStringLiteral("xy"));
  EXPECT_EQ(LineCol(), "Ln 3, Col 4");
}

TEST_F(LineColumnTest, ALongLineCountsItsWrappedRows) {
  frame().resize(320, 400);
  view().SetBytes("A = 1\r\n" + std::string(300, 'w') + "\r\n");
  Caret(7 + 300);
  const QString shown = LineCol();
  const QStringList parts =
      shown.split(QRegularExpression(QStringLiteral("[^0-9]+")), Qt::SkipEmptyParts);
  ASSERT_EQ(parts.size(), 2) << shown.toStdString();
  EXPECT_GT(parts[0].toInt(), 2) << shown.toStdString();
  EXPECT_LT(parts[1].toInt(), 300) << shown.toStdString();
  // The rows follow the window: wider, fewer rows.
  frame().resize(1200, 400);
  const int wideRow = LineCol().split(QLatin1Char(' '))[1].chopped(1).toInt();
  EXPECT_LT(wideRow, parts[0].toInt());
}

TEST_F(LineColumnTest, ShiftSelectionsShowTheMovingEnd) {
  view().SetBytes("0123456789abcdefghij\r\n");
  Caret(10);
  EXPECT_EQ(LineCol(), "Ln 1, Col 11");
  for (int i = 0; i < 5; ++i) QTest::keyClick(&view(), Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(LineCol(), "Ln 1, Col 16");

  Caret(10);
  EXPECT_EQ(LineCol(), "Ln 1, Col 11");
  for (int i = 0; i < 5; ++i) {
    QTest::keyClick(&view(), Qt::Key_Left, Qt::ShiftModifier);
    LineCol();
  }
  EXPECT_EQ(view().Selection(), std::make_pair(5L, 10L));
  EXPECT_EQ(LineCol(), "Ln 1, Col 6");
}

TEST_F(LineColumnTest, AHiddenStatusBarCatchesUpWhenShown) {
  view().SetBytes("A = 1\r\nB = 2\r\n");
  frame().action(ID_VIEW_STATUS_BAR)->trigger();
  EXPECT_FALSE(frame().action(ID_VIEW_STATUS_BAR)->isChecked());
  Caret(7);
  Settle();
  EXPECT_EQ(frame().m_wndStatus->PaneText(ID_INDICATOR_LINECOL), "Ln 1, Col 1");
  frame().action(ID_VIEW_STATUS_BAR)->trigger();
  Settle();
  EXPECT_EQ(frame().m_wndStatus->PaneText(ID_INDICATOR_LINECOL), "Ln 2, Col 1");
}

TEST_F(LineColumnTest, StaysCheapWhileALargeDocumentWraps) {
  // 1 MB of long lines: the indicator shows what the view has wrapped so
  // far and never waits for the rest.
  std::string text;
  while (text.size() < 1000000) text += std::string(180, 'q') + "\r\n";
  view().SetBytes(text);
  Caret(static_cast<long>(text.size()));
  const CTarvexView::LineColumn at = view().LineColumnAt(static_cast<long>(text.size()));
  EXPECT_GT(at.line, 5495);  // at least one row for each of the 5495 lines
  EXPECT_EQ(at.column, 1);
  Settle();
  EXPECT_TRUE(LineCol().startsWith(QStringLiteral("Ln ")));
}

}  // namespace
}  // namespace tarvex::qt::testing
