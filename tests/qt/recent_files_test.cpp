// The recent-file list: four entries, shortened in the menu, kept in the
// settings, and an entry that no longer opens is removed.
#include <QMenuBar>
#include <QSettings>

#include "editor_fixture.h"
#include "qt/recent_file_list.h"

namespace tarvex::qt::testing {
namespace {

TEST(RecentFileListNames, ShortenedToThirtyCharacters) {
  struct Case {
    QString path;
    QString shown;
  };
  for (const Case& c : {
           Case{"/etc/policy.inf", "/etc/policy.inf"},
           Case{"/home/admin/policies/branch/gw.inf", "/home/.../branch/gw.inf"},
           Case{"/home/admin/policies/branch-office/gateway.inf", "/home/.../gateway.inf"},
           Case{"/srv/a-very-long-folder-name-here/x.inf", "/srv/.../x.inf"},
           Case{"/a-folder-name-much-too-long-to-keep/gateway.inf", "gateway.inf"},
           Case{"/p/a-file-name-that-is-longer-than-thirty.inf", "a-file-name-that-is-longer-..."},
       }) {
    const QString shown = RecentFileList::DisplayName(c.path);
    EXPECT_EQ(shown, c.shown) << c.path.toStdString();
    EXPECT_LE(shown.size(), 30);
  }
}

TEST(RecentFileListOrder, FourEntriesMostRecentFirst) {
  RecentFileList list;
  for (const char* p : {"/1.inf", "/2.inf", "/3.inf", "/4.inf", "/5.inf", "/3.inf"}) {
    list.Add(QString::fromLatin1(p));
  }
  EXPECT_EQ(list.paths(), (QStringList{"/3.inf", "/5.inf", "/4.inf", "/2.inf"}));
}

class RecentFilesTest : public EditorTest {
 protected:
  QStringList MenuEntries() {
    QStringList entries;
    for (int n = 0; n < RecentFileList::kSize; ++n) {
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
  const QStringList expected = {Path("e.inf"), Path("d.inf"), Path("c.inf"), Path("b.inf")};
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
  EXPECT_EQ(app_->recentFiles().paths(), QStringList{Path("kept.inf")});
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
