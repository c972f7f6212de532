// The main frame: its menus, keys, toolbar and status bar, the title, the
// View commands, Generate from the menu, and help.
#include <QMenuBar>
#include <QTextBrowser>
#include <QToolButton>

#include "editor_fixture.h"
#include "platform/version.h"
#include "qt/help_viewer.h"

namespace tarvex::qt::testing {
namespace {

class FrameTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ASSERT_TRUE(Start());
  }
  QStringList MenuCaptions(QMenu* menu) {
    QStringList captions;
    for (QAction* a : menu->actions()) {
      if (a->isSeparator()) {
        captions << "-";
      } else if (a->isVisible()) {
        const QKeySequence key = a->shortcut();
        captions << a->text() + (key.isEmpty() ? QString() : "\t" + key.toString());
      }
    }
    return captions;
  }
};

TEST_F(FrameTest, MenusHaveTheirCaptions) {
  const QList<QAction*> bar = frame().menuBar()->actions();
  ASSERT_EQ(bar.size(), 5);
  QStringList titles;
  for (QAction* a : bar) titles << a->text();
  EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&View", "&Action", "&Help"}));
  // The shortcut shown after a tab is the item's key, not part of its text.
  EXPECT_EQ(MenuCaptions(bar[0]->menu()),
            (QStringList{"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "Save &As...", "-",
                         "&Print...\tCtrl+P", "Print Pre&view", "P&rint Setup...", "-",
                         "Recent File", "-", "E&xit"}));
  EXPECT_EQ(MenuCaptions(bar[1]->menu()),
            (QStringList{"&Undo\tCtrl+Z", "-", "Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V",
                         "-", "&Redo\tCtrl+Y", "Select &All\tCtrl+A", "-", "&Find...\tCtrl+F",
                         "Find &Next\tF3", "Find Pre&vious\tShift+F3", "R&eplace...\tCtrl+H",
                         "&Go to Line...\tCtrl+G"}));
  EXPECT_EQ(MenuCaptions(bar[2]->menu()),
            (QStringList{"&Toolbar", "&Status Bar", "-", "&Check While Typing", "&Next Fault\tF8",
                         "&Previous Fault\tShift+F8", "Complete &Keyword\tCtrl+Space"}));
  EXPECT_EQ(MenuCaptions(bar[3]->menu()), QStringList{"&Generate"});
  EXPECT_EQ(MenuCaptions(bar[4]->menu()), (QStringList{"&Contents", "-", "&About Tarvex..."}));
  EXPECT_FALSE(bar[0]->menu()->actions()[9]->isEnabled());  // the greyed placeholder
}

TEST_F(FrameTest, KeysReachTheirCommands) {
  struct Key {
    int id;
    QStringList keys;
  };
  const std::vector<Key> table = {
      {ID_FILE_NEW, {"Ctrl+N"}},
      {ID_FILE_OPEN, {"Ctrl+O"}},
      {ID_FILE_SAVE, {"Ctrl+S"}},
      {ID_FILE_PRINT, {"Ctrl+P"}},
      {ID_EDIT_UNDO, {"Ctrl+Z", "Alt+Backspace"}},
      {ID_EDIT_CUT, {"Ctrl+X", "Shift+Del"}},
      {ID_EDIT_COPY, {"Ctrl+C", "Ctrl+Ins"}},
      {ID_EDIT_PASTE, {"Ctrl+V", "Shift+Ins"}},
      {ID_NEXT_PANE, {"F6"}},
      {ID_PREV_PANE, {"Shift+F6"}},
      {ID_EDIT_REDO, {"Ctrl+Y", "Ctrl+Shift+Z"}},
      {ID_EDIT_SELECT_ALL, {"Ctrl+A"}},
      {ID_EDIT_FIND, {"Ctrl+F"}},
      {ID_EDIT_REPEAT, {"F3"}},
      {ID_EDIT_FIND_PREVIOUS, {"Shift+F3"}},
      {ID_EDIT_REPLACE, {"Ctrl+H"}},
      {ID_EDIT_GOTO_LINE, {"Ctrl+G"}},
      {ID_GENERATE, {}},
      {ID_HELP_CONTENTS, {}},
  };
  for (const Key& key : table) {
    QStringList shortcuts;
    for (const QKeySequence& s : frame().action(key.id)->shortcuts()) {
      shortcuts << s.toString(QKeySequence::PortableText);
    }
    EXPECT_EQ(shortcuts, key.keys) << key.id;
  }
}

TEST_F(FrameTest, ToolbarHoldsItsNineteenEntries) {
  QStringList entries;
  for (QAction* a : frame().m_wndTools->actions()) {
    if (a->isSeparator()) {
      entries << "|";
    } else if (auto* box = qobject_cast<QComboBox*>(frame().m_wndTools->widgetForAction(a))) {
      entries << box->accessibleName() + QString::number(box->width());
    } else {
      entries << a->toolTip();
    }
  }
  EXPECT_EQ(entries,
            (QStringList{"New", "Open", "Save", "|", "Cut", "Copy", "Paste", "|", "Print", "|",
                         "Generate", "|", "Keyword240", "|", "Keyword type80",
                         "Keyword minimum value80", "Keyword maximum value80", "|", "About"}));
  EXPECT_EQ(frame().action(ID_GENERATE)->statusTip(), "Generate policy file. ");
  EXPECT_EQ(frame().m_wndTools->m_wndMinBox->toolTip(), "Keyword minimim value");
  EXPECT_EQ(frame().m_wndTools->m_wndMinBox->statusTip(), "Tarvex keyword minimum value");
  EXPECT_TRUE(frame().m_wndTools->m_wndKeywordBox->toolTip().isEmpty());
  EXPECT_TRUE(frame().m_wndTools->isMovable());
  EXPECT_TRUE(frame().m_wndTools->isFloatable());
  EXPECT_EQ(frame().toolBarArea(frame().m_wndTools), Qt::TopToolBarArea);
  auto* button =
      qobject_cast<QToolButton*>(frame().m_wndTools->widgetForAction(frame().action(ID_FILE_NEW)));
  ASSERT_NE(button, nullptr);
  EXPECT_TRUE(button->autoRaise());  // flat
  EXPECT_FALSE(frame().action(ID_FILE_NEW)->icon().isNull());
}

TEST_F(FrameTest, StatusBarPanesAndPrompts) {
  EXPECT_EQ(frame().m_wndStatus->PaneText(ID_SEPARATOR), "Ready");
  QStatusTipEvent tip(frame().action(ID_FILE_SAVE)->statusTip());
  QCoreApplication::sendEvent(&frame(), &tip);
  EXPECT_EQ(frame().m_wndStatus->PaneText(ID_SEPARATOR), "Save the active document");
  QStatusTipEvent clear{QString()};
  QCoreApplication::sendEvent(&frame(), &clear);
  EXPECT_EQ(frame().m_wndStatus->PaneText(ID_SEPARATOR), "Ready");
  EXPECT_EQ(LineCol(), "Ln 1, Col 1");
}

TEST_F(FrameTest, ViewToolbarHidesTheKeywordBoxesWithIt) {
  QComboBox* keywords = frame().m_wndTools->m_wndKeywordBox;
  const int entries = keywords->count();
  frame().action(ID_VIEW_TOOLBAR)->trigger();
  EXPECT_FALSE(frame().action(ID_VIEW_TOOLBAR)->isChecked());
  EXPECT_FALSE(keywords->isVisible());
  frame().action(ID_VIEW_TOOLBAR)->trigger();
  EXPECT_TRUE(frame().action(ID_VIEW_TOOLBAR)->isChecked());
  EXPECT_TRUE(keywords->isVisible());
  EXPECT_EQ(keywords->count(), entries);
}

TEST_F(FrameTest, GenerateFromTheMenuSelectsTheFault) {
  const QString path = FromPath(Write("faulty.inf", ExampleFile("faulty.inf")));
  ASSERT_TRUE(app_->OpenDocumentFile(path));
  QAction* generate = frame().menuBar()->actions()[3]->menu()->actions()[0];
  ASSERT_EQ(generate, frame().action(ID_GENERATE));
  generate->trigger();
  ASSERT_EQ(dialogs_.boxes.size(), 1u);
  EXPECT_EQ(dialogs_.boxes[0].text,
            "\"5000\" is not within a valid range.  \nThis keyword can only be assigned with a "
            "valid numeric number.\nUnable to generate the 'Policy.bin' file.");
  EXPECT_EQ(dialogs_.boxes[0].icon, Dialogs::Icon::kNone);
  EXPECT_EQ(dialogs_.boxes[0].parent, &frame());
  const auto [start, end] = view().Selection();
  EXPECT_EQ(
      view().Bytes().substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)),
      "5000");
  EXPECT_FALSE(FileExists(dir_.Path("policy.bin")));
}

TEST_F(FrameTest, GenerateSavesFirstAndWritesPolicyBin) {
  Write("peer.key", ExampleFile("peer.key"));
  Append(ExampleFile("policy.inf"));
  dialogs_.saveAsAnswers.push_back(Path("policy.inf"));
  EXPECT_TRUE(frame().ExecuteCommand(ID_GENERATE));
  EXPECT_EQ(ReadFile(dir_.Path("policy.inf")), ExampleFile("policy.inf"));
  EXPECT_EQ(dialogs_.texts(), QStringList{Path("policy.bin") + " file is generated successfully."});
  EXPECT_TRUE(FileExists(dir_.Path("policy.bin")));
}

TEST_F(FrameTest, HelpOpensTheGuideOrSaysItIsMissing) {
  frame().action(ID_HELP_CONTENTS)->trigger();
  ASSERT_NE(frame().helpViewer(), nullptr);
  EXPECT_TRUE(frame().helpViewer()->isVisible());
  EXPECT_TRUE(frame().helpViewer()->browser()->toPlainText().contains("Contents"));

  app_->setHelpFile(Path("nowhere/index.html"));
  QTest::keyClick(&view(), Qt::Key_F1);
  EXPECT_TRUE(frame().helpViewer()->browser()->toPlainText().contains("Failed to launch help."));
  EXPECT_TRUE(dialogs_.boxes.empty());

  // Esc closes it, as it closes a dialog.
  QTest::keyClick(frame().helpViewer()->browser(), Qt::Key_Escape);
  EXPECT_FALSE(frame().helpViewer()->isVisible());
}

TEST_F(FrameTest, IconsStaySharpAtAnyScale) {
  // Drawn from SVG: asked for twice the size, an icon gives twice the pixels.
  for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_GENERATE, ID_APP_ABOUT}) {
    const QIcon icon = frame().action(id)->icon();
    EXPECT_EQ(icon.pixmap(QSize(40, 42)).size(), QSize(40, 42)) << id;
  }
  EXPECT_EQ(frame().windowIcon().pixmap(QSize(512, 512)).size(), QSize(512, 512));
  EXPECT_EQ(frame().m_wndTools->iconSize(), QSize(20, 21));  // the size they have today
}

TEST_F(FrameTest, NewAndExitAskToSaveFirst) {
  Append("A = 1");
  dialogs_.saveAnswers = {Dialogs::Answer::kCancel};
  frame().action(ID_FILE_NEW)->trigger();
  EXPECT_EQ(view().Bytes(), "A = 1");
  dialogs_.saveAnswers = {Dialogs::Answer::kCancel};
  frame().action(ID_APP_EXIT)->trigger();
  EXPECT_TRUE(frame().isVisible());
  dialogs_.saveAnswers = {Dialogs::Answer::kNo};
  frame().action(ID_APP_EXIT)->trigger();
  EXPECT_FALSE(frame().isVisible());
  EXPECT_EQ(dialogs_.saveQuestions, QStringList(3, "Save changes to Untitled?"));
}

TEST_F(FrameTest, AboutBox) {
  QStringList labels;
  dialogs_.onRun = [&labels](QDialog& dialog) {
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
      if (!label->text().isEmpty()) labels << label->text();
    }
    QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), "OK");
    buttons[0]->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  };
  frame().action(ID_APP_ABOUT)->trigger();
  EXPECT_EQ(dialogs_.dialogTitles, QStringList{"About Tarvex"});
  ASSERT_EQ(labels.size(), 2);
  EXPECT_EQ(labels[0], QStringLiteral("Tarvex Version ") + QLatin1String(kShortVersion));
  EXPECT_EQ(labels[1].count('\n'), 1);  // a two-line notice
}

}  // namespace
}  // namespace tarvex::qt::testing
