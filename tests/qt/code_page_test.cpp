// The code page in the view: bytes 0x80-0x9F shown and read as Windows
// code page 1252 has them, every byte kept, and characters the code page
// cannot hold refused with a notice.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

#include "editor_fixture.h"

namespace tarvex::qt::testing {
namespace {

std::string AllBytes() {
  std::string bytes;
  for (int b = 1; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  return bytes;
}

class CodePageTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    QApplication::clipboard()->clear();
    ASSERT_TRUE(Start());
    view().setFocus();
  }
  // Types `text` as a keyboard would (QTest knows only ASCII keys).
  void Type(const QString& text) {
    for (QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
      QCoreApplication::sendEvent(&view(), &press);
    }
  }
  QString Notice() { return frame().m_wndStatus->PaneText(ID_SEPARATOR); }
  // The pixels of the cell of the character at `offset`.
  QImage Cell(long offset) {
    const int x = static_cast<int>(
        view().SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, offset));
    const int y = static_cast<int>(
        view().SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, offset));
    const int right = static_cast<int>(
        view().SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, offset + 1));
    const int height =
        static_cast<int>(view().SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0UL));
    return view().viewport()->grab(QRect(x, y, right - x, height)).toImage();
  }
};

TEST_F(CodePageTest, EveryByteSurvivesLoadEditAndSave) {
  const std::string bytes = std::string(1, '\0') + AllBytes();
  Write("all.inf", bytes);
  ASSERT_TRUE(app_->OpenDocumentFile(Path("all.inf")));
  view().SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
  QTest::keyClicks(&view(), QStringLiteral("x"));
  QTest::keyClick(&view(), Qt::Key_Backspace);
  ASSERT_TRUE(frame().ExecuteCommand(ID_FILE_SAVE));
  EXPECT_EQ(ReadFile(dir_.Path("all.inf")), bytes);
}

TEST_F(CodePageTest, TheCodePagesCharactersAreDrawn) {
  // Without their own glyphs the two would be the same empty box.
  view().SetBytes("\x80 \x8A \x93 \x81");
  Settle();
  EXPECT_NE(Cell(0), Cell(2));
  EXPECT_NE(Cell(2), Cell(4));
}

TEST_F(CodePageTest, AScreenReaderReadsTheRealCharacters) {
  view().SetBytes("Banner = \x93\x80 5\x94 \x96 caf\xE9");
  QAccessibleInterface* text = QAccessible::queryAccessibleInterface(&view());
  ASSERT_NE(text, nullptr);
  ASSERT_NE(text->textInterface(), nullptr);
  const QString expected = QString::fromUtf8("Banner = \u201C\u20AC 5\u201D \u2013 caf\u00E9");
  EXPECT_EQ(text->textInterface()->characterCount(), expected.size());
  EXPECT_EQ(text->textInterface()->text(0, text->textInterface()->characterCount()), expected);
  EXPECT_EQ(text->text(QAccessible::Name), "Policy text");
  view().SelectAndShow(9, 11);
  EXPECT_EQ(text->textInterface()->selectionCount(), 1);
  EXPECT_EQ(text->textInterface()->cursorPosition(), 11);
}

TEST_F(CodePageTest, TypingAndPastingTheCodePagesCharacters) {
  Type(QString::fromUtf8("\u20AC\u2014\u00E9"));
  EXPECT_EQ(view().Bytes(), "\x80\x97\xE9");
  QApplication::clipboard()->setText(QString::fromUtf8("\u201Cx\u201D"));
  frame().action(ID_EDIT_PASTE)->trigger();
  EXPECT_EQ(view().Bytes(), "\x80\x97\xE9\x93x\x94");
  // Copied out, they are the same characters again.
  view().SelectAndShow(0, 2);
  frame().action(ID_EDIT_COPY)->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("\u20AC\u2014"));
  // In overwrite mode it types over the next character, as any other does.
  view().setOverwriteMode(true);
  view().SendScintilla(QsciScintillaBase::SCI_GOTOPOS, 1UL);
  Type(QString::fromUtf8("\u2013"));
  EXPECT_EQ(view().Bytes(), "\x80\x96\xE9\x93x\x94");
}

TEST_F(CodePageTest, CharactersOutsideTheCodePageAreRefusedWithANotice) {
  view().SetBytes("A = 1");
  view().SelectAndShow(0, 1);
  Type(QString::fromUtf8("\u03A9"));  // Greek capital omega
  EXPECT_EQ(view().Bytes(), "A = 1");
  const QString notice = Notice();
  EXPECT_TRUE(notice.contains(QString::fromUtf8("\u03A9"))) << notice.toStdString();
  EXPECT_EQ(QAccessible::queryAccessibleInterface(frame().m_wndStatus->Pane(ID_SEPARATOR))
                ->text(QAccessible::Name),
            notice);

  // Pasted over the selection: the selection stays, nothing becomes "?".
  QApplication::clipboard()->setText(QString::fromUtf8("x \u4E2D y"));
  frame().action(ID_EDIT_PASTE)->trigger();
  EXPECT_EQ(view().Bytes(), "A = 1");
  EXPECT_EQ(view().Selection(), std::make_pair(0L, 1L));

  QInputMethodEvent commit;
  commit.setCommitString(QString::fromUtf8("\u0416"));
  QCoreApplication::sendEvent(&view(), &commit);
  EXPECT_EQ(view().Bytes(), "A = 1");
  EXPECT_FALSE(doc().IsModified());
}

}  // namespace
}  // namespace tarvex::qt::testing
