// The text view's editing: the length limit on typing and pasting, and the
// Edit commands with their enabled states.
#include <QApplication>
#include <QClipboard>

#include "editor_fixture.h"

namespace tarvex::app::testing {
namespace {

class TextViewTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    QApplication::clipboard()->clear();
    ASSERT_TRUE(Start());
    view().setFocus();
  }
  QAction* Action(int id) { return frame().action(id); }
  void Type(const QString& text) { QTest::keyClicks(&view(), text); }
};

TEST_F(TextViewTest, TypingStopsAtTheLimit) {
  view().SetBytes(std::string(CTarvexView::kTextLimit - 1, 'a'));
  view().SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
  Type(QStringLiteral("bc"));
  EXPECT_EQ(view().Length(), CTarvexView::kTextLimit);
  EXPECT_EQ(view().Bytes().back(), 'b');
  QTest::keyClick(&view(), Qt::Key_Return);  // CR LF would pass it too
  EXPECT_EQ(view().Length(), CTarvexView::kTextLimit);

  // Refused typing changes nothing, so a text just read stays unmodified.
  view().SetBytes(std::string(CTarvexView::kTextLimit, 'a'));
  view().SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
  Type(QStringLiteral("x"));
  QTest::keyClick(&view(), Qt::Key_Tab);
  EXPECT_EQ(view().Length(), CTarvexView::kTextLimit);
  EXPECT_FALSE(doc().IsModified());
  EXPECT_FALSE(frame().action(ID_EDIT_UNDO)->isEnabled());
}

TEST_F(TextViewTest, PasteBeyondTheLimitIsRefusedWholeAndKeepsTheSelection) {
  view().SetBytes(std::string(CTarvexView::kTextLimit - 2, 'a'));
  view().SelectAndShow(0, 3);
  QApplication::clipboard()->setText(QStringLiteral("123456"));  // 3 replaced by 6: one too many
  Settle();
  Action(ID_EDIT_PASTE)->trigger();
  EXPECT_EQ(view().Length(), CTarvexView::kTextLimit - 2);
  EXPECT_EQ(view().Selection(), std::make_pair(0L, 3L));

  QApplication::clipboard()->setText(QStringLiteral("12345"));  // exactly full
  Action(ID_EDIT_PASTE)->trigger();
  EXPECT_EQ(view().Length(), CTarvexView::kTextLimit);
  EXPECT_EQ(view().Bytes().substr(0, 6), "12345a");
}

TEST_F(TextViewTest, PastedLineEndsBecomeCrLf) {
  QApplication::clipboard()->setText(QStringLiteral("a\nb"));
  Settle();
  Action(ID_EDIT_PASTE)->trigger();
  EXPECT_EQ(view().Bytes(), "a\r\nb");
}

TEST_F(TextViewTest, EditCommandsFollowTheirState) {
  EXPECT_FALSE(Action(ID_EDIT_UNDO)->isEnabled());
  EXPECT_FALSE(Action(ID_EDIT_CUT)->isEnabled());
  EXPECT_FALSE(Action(ID_EDIT_COPY)->isEnabled());
  EXPECT_FALSE(Action(ID_EDIT_PASTE)->isEnabled());

  Type(QStringLiteral("Timeout"));
  EXPECT_TRUE(Action(ID_EDIT_UNDO)->isEnabled());
  view().SelectAndShow(0, 4);
  Settle();
  EXPECT_TRUE(Action(ID_EDIT_CUT)->isEnabled());
  EXPECT_TRUE(Action(ID_EDIT_COPY)->isEnabled());

  // Ctrl+X with the view focused reaches the frame's Cut.
  QTest::keyClick(&view(), Qt::Key_X, Qt::ControlModifier);
  Settle();
  EXPECT_EQ(view().Bytes(), "out");
  EXPECT_EQ(QApplication::clipboard()->text(), "Time");
  EXPECT_TRUE(Action(ID_EDIT_PASTE)->isEnabled());
  EXPECT_FALSE(Action(ID_EDIT_CUT)->isEnabled());

  // The alternate keys: Shift+Insert pastes, Alt+Backspace undoes it.
  QTest::keyClick(&view(), Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(view().Bytes(), "Timeout");
  QTest::keyClick(&view(), Qt::Key_Backspace, Qt::AltModifier);
  EXPECT_EQ(view().Bytes(), "out");

  // Undo goes back all the way, and the document is unmodified again.
  while (Action(ID_EDIT_UNDO)->isEnabled()) Action(ID_EDIT_UNDO)->trigger();
  EXPECT_EQ(view().Bytes(), "");
  EXPECT_FALSE(doc().IsModified());
}

TEST_F(TextViewTest, SelectAndShowClampsAndKeepsTheFocus) {
  view().SetBytes("Alpha = 1");
  frame().m_wndTools->m_wndKeywordBox->setFocus();
  view().SelectAndShow(6, 400);
  EXPECT_EQ(view().Selection(), std::make_pair(6L, 9L));
  EXPECT_EQ(QApplication::focusWidget(), frame().m_wndTools->m_wndKeywordBox);
}

}  // namespace
}  // namespace tarvex::app::testing
