// Find, Find Next and Previous, Replace, Go to Line, Redo and Select All.
#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>

#include "editor_fixture.h"
#include "qt/find/find_controller.h"
#include "qt/find/find_dialog.h"
#include "qt/find/go_to_line_dialog.h"
#include "qt/find/text_search.h"

namespace tarvex::qt::testing {
namespace {

class FindTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ASSERT_TRUE(Start());
    view().setFocus();
  }
  FindDialog* OpenFind(const QString& pattern, int command = ID_EDIT_FIND) {
    frame().action(command)->trigger();
    auto* dialog = frame().findChild<FindDialog*>();
    if (dialog) dialog->findEdit()->setText(pattern);
    return dialog;
  }
  std::pair<long, long> Selected() { return view().Selection(); }
  QString Status() { return frame().m_wndStatus->PaneText(ID_SEPARATOR); }
};

TEST_F(FindTest, FindNextAndPreviousWrapAround) {
  view().SetBytes("alpha beta Alpha\r\nALPHA");
  FindDialog* dialog = OpenFind("alpha");
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(dialog->isModal());
  EXPECT_EQ(dialog->findEdit()->accessibleName(), "Find what");
  emit dialog->findRequested(true);
  EXPECT_EQ(Selected(), std::make_pair(0L, 5L));
  const std::vector<std::pair<int, std::pair<long, long>>> steps = {
      {ID_EDIT_REPEAT, {11, 16}},        {ID_EDIT_REPEAT, {18, 23}},
      {ID_EDIT_REPEAT, {0, 5}},           // wrapped to the start
      {ID_EDIT_FIND_PREVIOUS, {18, 23}},  // and back over the start
      {ID_EDIT_FIND_PREVIOUS, {11, 16}},
  };
  for (const auto& [command, expected] : steps) {
    frame().action(command)->trigger();
    EXPECT_EQ(Selected(), expected) << command;
  }
}

TEST_F(FindTest, MatchCaseWholeWordAndNotFound) {
  view().SetBytes("Timeout = 1\r\ntimeouts = 2\r\ntimeout = 3");
  FindDialog* dialog = OpenFind("timeout");
  ASSERT_NE(dialog, nullptr);
  dialog->findChildren<QCheckBox*>()[0]->setChecked(true);  // match case
  dialog->findChildren<QCheckBox*>()[1]->setChecked(true);  // whole word
  emit dialog->findRequested(true);
  EXPECT_EQ(Selected(), std::make_pair(27L, 34L));

  dialog->findEdit()->setText("Zeta");
  emit dialog->findRequested(true);
  EXPECT_EQ(Selected(), std::make_pair(27L, 34L));  // unchanged
  EXPECT_EQ(Status(), "Cannot find \"Zeta\".");
}

TEST_F(FindTest, FindsCodePageCharactersByteForByte) {
  view().SetBytes("Banner = caf\xE9 \x80 5\r\n");
  FindDialog* dialog = OpenFind(QString::fromUtf8("\xE2\x82\xAC"));  // the euro sign, byte 0x80
  emit dialog->findRequested(true);
  EXPECT_EQ(Selected(), std::make_pair(14L, 15L));
}

TEST_F(FindTest, ReplaceOneAndAllAsOneUndoStep) {
  view().SetBytes("a = 1\r\na = 2\r\nb = 3");
  FindDialog* dialog = OpenFind("a", ID_EDIT_REPLACE);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->replaceEdit()->isVisible());
  dialog->replaceEdit()->setText("key");
  emit dialog->replaceRequested();  // first finds
  EXPECT_EQ(Selected(), std::make_pair(0L, 1L));
  emit dialog->replaceRequested();  // then replaces and finds the next
  EXPECT_EQ(view().Bytes(), "key = 1\r\na = 2\r\nb = 3");
  EXPECT_EQ(Selected(), std::make_pair(9L, 10L));

  view().SetBytes("a = 1\r\na = 2\r\nb = 3");
  emit dialog->replaceAllRequested();
  EXPECT_EQ(view().Bytes(), "key = 1\r\nkey = 2\r\nb = 3");
  EXPECT_EQ(Status(), "2 occurrences replaced.");
  frame().action(ID_EDIT_UNDO)->trigger();
  EXPECT_EQ(view().Bytes(), "a = 1\r\na = 2\r\nb = 3");
  frame().action(ID_EDIT_REDO)->trigger();
  EXPECT_EQ(view().Bytes(), "key = 1\r\nkey = 2\r\nb = 3");
}

TEST_F(FindTest, ReplaceAllBeyondTheLimitChangesNothing) {
  const std::string text(CTarvexView::kTextLimit - 10, 'a');
  view().SetBytes(text);
  ASSERT_FALSE(ReplaceAllInView(view(), "a", "bb", {}).has_value());
  EXPECT_EQ(view().Bytes(), text);
  view().SetBytes("aaaa aaaa");
  EXPECT_EQ(ReplaceAllInView(view(), "aa", "b", {}).value_or(-1), 4);
  EXPECT_EQ(view().Bytes(), "bb bb");
}

TEST_F(FindTest, ReplaceAllKeepsTheSelectionOnItsText) {
  struct Case {
    long anchor, caret;  // in "ab x ab y ab"
    const char* replacement;
    long newAnchor, newCaret;
  } cases[] = {
      {3, 3, "long", 5, 5},  // between matches
      {11, 12, "c", 8, 9},   // in the last match: its start; at its end: after it
      {0, 12, "", 0, 6},     // across all
      {5, 5, "ab", 5, 5},    // same length
  };
  for (const Case& c : cases) {
    view().SetBytes("ab x ab y ab");
    view().SendScintilla(QsciScintillaBase::SCI_SETSEL, static_cast<unsigned long>(c.anchor),
                         c.caret);
    ASSERT_EQ(ReplaceAllInView(view(), "ab", c.replacement, {}).value_or(-1), 3);
    EXPECT_EQ(view().Selection(),
              std::make_pair(std::min(c.newAnchor, c.newCaret), std::max(c.newAnchor, c.newCaret)))
        << c.replacement;
  }
}

TEST_F(FindTest, GoToLineCountsRowsAsTheIndicatorDoes) {
  frame().resize(320, 400);
  view().SetBytes("A = 1\r\n" + std::string(300, 'w') + "\r\nB = 2\r\n");
  Settle();
  frame().action(ID_EDIT_GOTO_LINE)->trigger();
  auto* dialog = frame().findChild<GoToLineDialog*>();
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(dialog->isModal());
  const long rows = RowCount(view());
  ASSERT_GT(rows, 4);
  EXPECT_EQ(dialog->lineBox()->maximum(), rows);
  for (long row : {1L, 2L, 3L, rows - 1, rows}) {
    emit dialog->goToRequested(row);
    EXPECT_EQ(LineCol(), QStringLiteral("Ln %1, Col 1").arg(row)) << row;
  }
}

TEST_F(FindTest, RedoAndSelectAllFromTheirKeys) {
  QTest::keyClicks(&view(), QStringLiteral("abc"));
  QTest::keyClick(&view(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(frame().action(ID_EDIT_REDO)->isEnabled());
  QTest::keyClick(&view(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(view().Bytes(), "abc");
  EXPECT_FALSE(frame().action(ID_EDIT_REDO)->isEnabled());
  QTest::keyClick(&view(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Selected(), std::make_pair(0L, 3L));
}

}  // namespace
}  // namespace tarvex::qt::testing
