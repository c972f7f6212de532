// The keyword browser on the toolbar, and start-up without keyword.txt.
#include <QApplication>
#include <QClipboard>

#include "editor_fixture.h"

namespace tarvex::qt::testing {
namespace {

class KeywordBrowserTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    Write("keyword.txt",
          "; test dictionary\r\n"
          "timeout, Int, 1, 60\r\n"
          "Banner, string\r\n"
          "\r\n"
          "EnableLogging, BOOL, 3, 4\r\n"
          "Timeout, bool\r\n"
          "Level, int, , 5\r\n");
    QApplication::clipboard()->setText(QStringLiteral("before"));
    ASSERT_TRUE(Start());
  }
  CKeywordToolBar& tools() { return *frame().m_wndTools; }
  QStringList Entries(QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
  }
  void Choose(const QString& name) {
    tools().m_wndKeywordBox->setCurrentIndex(tools().m_wndKeywordBox->findText(name));
  }
  QStringList Shown() {
    return {tools().m_wndTypeBox->currentText(), tools().m_wndMinBox->currentText(),
            tools().m_wndMaxBox->currentText()};
  }
};

TEST_F(KeywordBrowserTest, ListsEveryNameSortedWithoutRegardToCase) {
  EXPECT_EQ(Entries(tools().m_wndKeywordBox),
            (QStringList{"", "Banner", "EnableLogging", "Level", "timeout", "Timeout"}));
  EXPECT_EQ(tools().m_wndKeywordBox->currentIndex(), -1);
  EXPECT_FALSE(tools().m_wndKeywordBox->isEditable());
  for (QComboBox* box : {tools().m_wndTypeBox, tools().m_wndMinBox, tools().m_wndMaxBox}) {
    EXPECT_FALSE(box->isEnabled());
    EXPECT_EQ(box->count(), 0);
    EXPECT_EQ(box->width(), 80);
  }
  EXPECT_EQ(tools().m_wndKeywordBox->width(), 240);
}

TEST_F(KeywordBrowserTest, ChoosingShowsTheRowAndCopiesTheName) {
  struct Case {
    QString name;
    QStringList shown;
  };
  const std::vector<Case> cases = {
      {"timeout", {"Int", "MIN = 1", "MAX = 60"}},
      {"Timeout", {"Int", "MIN = 1", "MAX = 60"}},  // a later duplicate shows the first row
      {"EnableLogging", {"BOOL", "TRUE", "FALSE"}},
      {"Level", {"int", "MIN = ", "MAX = 5"}},
      {"Banner", {"string", "", ""}},
  };
  for (const Case& c : cases) {
    Choose(c.name);
    EXPECT_EQ(Shown(), c.shown) << c.name.toStdString();
    EXPECT_EQ(QApplication::clipboard()->text(), c.name);
    EXPECT_EQ(tools().m_wndMinBox->count(), 1);
  }
  // The empty name shows the blank line's empty row and leaves the clipboard alone.
  Choose(QString());
  EXPECT_EQ(Shown(), (QStringList{"", "", ""}));
  EXPECT_EQ(QApplication::clipboard()->text(), "Banner");
}

TEST_F(KeywordBrowserTest, ArrowKeysChooseAtEveryStep) {
  QComboBox* box = tools().m_wndKeywordBox;
  box->setFocus();
  Choose("Banner");
  QTest::keyClick(box, Qt::Key_Down);
  EXPECT_EQ(QApplication::clipboard()->text(), "EnableLogging");
  EXPECT_EQ(Shown()[0], "BOOL");
  QTest::keyClick(box, Qt::Key_Down);
  EXPECT_EQ(QApplication::clipboard()->text(), "Level");
  EXPECT_EQ(Shown()[2], "MAX = 5");
}

TEST_F(KeywordBrowserTest, PastingInsertsTheChosenName) {
  Choose("EnableLogging");
  view().setFocus();
  Settle();
  QTest::keyClick(&view(), Qt::Key_V, Qt::ControlModifier);
  QTest::keyClicks(&view(), QStringLiteral(" = true"));
  EXPECT_EQ(view().Bytes(), "EnableLogging = true");
}

TEST_F(KeywordBrowserTest, KeyboardReachesTheKeywordBox) {
  view().setFocus();
  QTest::keyClick(&view(), Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), tools().m_wndKeywordBox);
  EXPECT_TRUE(view().Bytes().empty());  // no tab typed
  QTest::keyClick(tools().m_wndKeywordBox, Qt::Key_F6);
  EXPECT_EQ(QApplication::focusWidget(), &view());
}

class StartUpTest : public EditorTest {};

TEST_F(StartUpTest, WithoutKeywordFileNoWindowOpens) {
  QFile::remove(Path("keyword.txt"));
  EXPECT_FALSE(app_->InitInstance({}));
  EXPECT_EQ(app_->frame(), nullptr);
  EXPECT_NE(app_->exitCode(), 0);
  ASSERT_EQ(dialogs_.boxes.size(), 2u);
  EXPECT_EQ(dialogs_.boxes[0].text, "Error reading file keyword.txt !");
  EXPECT_EQ(dialogs_.boxes[1].text, "Failed to create empty document.");
  for (const auto& box : dialogs_.boxes) EXPECT_EQ(box.icon, Dialogs::Icon::kWarning);
  for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(w->isVisible());
}

TEST_F(StartUpTest, NoArgumentsGiveAnUntitledWindow) {
  ASSERT_TRUE(Start());
  EXPECT_TRUE(frame().isVisible());
  EXPECT_TRUE(frame().acceptDrops());
  EXPECT_EQ(frame().windowTitle(), "Untitled - Tarvex");
  EXPECT_TRUE(dialogs_.boxes.empty());
}

TEST_F(StartUpTest, SwitchesThatEndAtOnce) {
  // "Embedding" without a container on a session bus has nobody to serve.
  qunsetenv("TARVEX_EMBED_CONTAINER");
  for (const char* sw : {"/Embedding", "-unregister", "/dde"}) {
    CTarvexApp app(dialogs_);
    EXPECT_FALSE(app.InitInstance({sw})) << sw;
    EXPECT_EQ(app.frame(), nullptr) << sw;
  }
  EXPECT_EQ(dialogs_.texts(), QStringList{"System registry entries have been removed and the INI "
                                          "file (if any) was deleted."});
}

TEST_F(StartUpTest, APathThatCannotBeOpenedEndsTheApplication) {
  EXPECT_FALSE(app_->InitInstance({dir_.Path("absent.inf")}));
  EXPECT_EQ(app_->frame(), nullptr);
  EXPECT_EQ(dialogs_.texts(), QStringList{Path("absent.inf") + " was not found."});
}

TEST_F(StartUpTest, ABinaryOnTheCommandLineIsShownAsText) {
  const std::string bytes("\x12\x9a\0\xff\r\n", 6);
  Write("policy.bin", bytes);
  ASSERT_TRUE(Start({"\"" + dir_.Path("policy.bin") + "\""}));
  EXPECT_EQ(view().Bytes(), bytes);
  EXPECT_EQ(frame().windowTitle(), "policy.bin - Tarvex");
}

}  // namespace
}  // namespace tarvex::qt::testing
