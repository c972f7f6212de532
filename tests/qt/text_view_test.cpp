// The text view's editing: the length limit on typing and pasting, and the
// Edit commands with their enabled states.
#include <QApplication>
#include <QClipboard>

#include "editor_fixture.h"

namespace tarvex::qt::testing {
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

// Backspace, handled by the view itself where it only deletes, leaves the
// same text, caret and undo steps as the editor's own command.
TEST_F(TextViewTest, BackspaceDoesWhatTheEditorsOwnCommandDoes) {
  struct Case {
    const char* name;
    std::string text;
    long caret;
    int presses;
  };
  const Case cases[] = {
      {"a letter", "Timeout = 30", 9, 1},
      {"three letters", "Timeout = 30", 12, 3},
      {"a CR LF pair", "a\r\nb", 3, 1},
      {"a line feed alone", "a\nb", 2, 1},
      {"a carriage return alone", "a\rb", 2, 1},
      {"a tab", "a\tb", 2, 1},
      {"past line starts", "ab\r\n\r\ncd", 7, 4},
      {"at the start", "abc", 0, 1},
      {"a code page byte", std::string("a\x80z", 3), 2, 1},
  };
  struct Result {
    std::string text;
    long caret;
    std::string undone;
  };
  auto run = [&](const Case& c, bool own) {
    view().SetBytes(c.text);
    view().SendScintilla(QsciScintillaBase::SCI_GOTOPOS, static_cast<unsigned long>(c.caret));
    for (int i = 0; i < c.presses; ++i) {
      if (own) {
        view().SendScintilla(QsciScintillaBase::SCI_DELETEBACK);
      } else {
        QTest::keyClick(&view(), Qt::Key_Backspace);
      }
    }
    Result r{view().Bytes(), view().Selection().second, ""};
    view().SendScintilla(QsciScintillaBase::SCI_UNDO);  // one step back
    r.undone = view().Bytes();
    return r;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Result expected = run(c, true);
    const Result got = run(c, false);
    EXPECT_EQ(got.text, expected.text);
    EXPECT_EQ(got.caret, expected.caret);
    EXPECT_EQ(got.undone, expected.undone);
  }
  // With a selection, Backspace deletes the selection.
  view().SetBytes("abcdef");
  view().SelectAndShow(1, 4);
  QTest::keyClick(&view(), Qt::Key_Backspace);
  EXPECT_EQ(view().Bytes(), "aef");
}

}  // namespace
}  // namespace tarvex::qt::testing
