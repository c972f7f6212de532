// The recent-file list in the editor: listed in the menu, kept in the
// settings, and an entry that no longer opens is removed.
#include <QMenuBar>
#include <QSettings>

#include "editor_fixture.h"
#include "qt/text_codec.h"

namespace tarvex::qt::testing {
namespace {

class RecentFilesTest : public EditorTest {
 protected:
  QStringList MenuEntries() {
    QStringList entries;
    for (int n = 0; n < shell::RecentFileList::kSize; ++n) {
      QAction* a = frame().action(ID_FILE_MRU_FILE1 + n);
      if (a->isVisible()) entries << a->text();
    }
    return entries;
  }
};

TEST_F(RecentFilesTest, OpenedFilesAreListedAndRemembered) {
  ASSERT_TRUE(Start());
  for (const char* name : {"a.inf", "b.inf", "c.inf", "d.inf", "e.inf"}) {
    ASSERT_TRUE(app_->OpenDocumentFile(FromPath(Write(name, name))));
  }
  const std::vector<std::string> expected = {ToPath(Path("e.inf")), ToPath(Path("d.inf")),
                                             ToPath(Path("c.inf")), ToPath(Path("b.inf"))};
  EXPECT_EQ(app_->recentFiles().paths(), expected);
  const QStringList entries = MenuEntries();
  ASSERT_EQ(entries.size(), 4);
  EXPECT_TRUE(entries[0].startsWith("&1 ")) << entries[0].toStdString();
  EXPECT_TRUE(entries[0].endsWith("e.inf"));
  EXPECT_EQ(frame().action(ID_FILE_MRU_FILE1)->statusTip(), "Open this document");

  app_->setPreviewPages(2);
  EXPECT_EQ(app_->ExitInstance(), 0);
  QSettings settings;
  EXPECT_EQ(settings.value("Recent File List/File1").toString(), Path("e.inf"));
  EXPECT_EQ(settings.value("Recent File List/File4").toString(), Path("b.inf"));
  EXPECT_EQ(settings.value("Settings/PreviewPages").toInt(), 2);
  EXPECT_EQ(settings.organizationName(), "Local AppWizard-Generated Applications");
  EXPECT_EQ(settings.applicationName(), "Tarvex");

  // The next start reads them back.
  GlobalKeywordTable().Clear();
  CTarvexApp next(dialogs_);
  ASSERT_TRUE(next.InitInstance({}));
  EXPECT_EQ(next.recentFiles().paths(), expected);
  EXPECT_EQ(next.previewPages(), 2);
}

TEST_F(RecentFilesTest, AnEntryThatFailsToOpenIsRemoved) {
  ASSERT_TRUE(Start());
  ASSERT_TRUE(app_->OpenDocumentFile(FromPath(Write("gone.inf", "x"))));
  ASSERT_TRUE(app_->OpenDocumentFile(FromPath(Write("kept.inf", "y"))));
  QFile::remove(Path("gone.inf"));
  frame().action(ID_FILE_MRU_FILE1 + 1)->trigger();
  EXPECT_EQ(dialogs_.texts(), QStringList{Path("gone.inf") + " was not found."});
  EXPECT_EQ(app_->recentFiles().paths(), std::vector<std::string>{ToPath(Path("kept.inf"))});
  EXPECT_EQ(MenuEntries().size(), 1);
  EXPECT_EQ(doc().path(), Path("kept.inf"));
}

TEST_F(RecentFilesTest, ARecentBinaryOpensAsText) {
  ASSERT_TRUE(Start());
  const std::string bytes = "\x01\x02 not deciphered";
  ASSERT_TRUE(app_->OpenDocumentFile(FromPath(Write("policy.bin", bytes))));
  app_->OnFileNew();
  frame().action(ID_FILE_MRU_FILE1)->trigger();
  EXPECT_EQ(view().Bytes(), bytes);
  EXPECT_TRUE(dialogs_.boxes.empty());
}

}  // namespace
}  // namespace tarvex::qt::testing
