// Reading and writing the document: the file is the text, byte for byte,
// and a save that fails leaves the old file, the path and the modified
// flag as they were.
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <csignal>

#include "editor_fixture.h"

namespace tarvex::qt::testing {
namespace {

class DocumentTest : public EditorTest {};

struct Bytes {
  const char* name;
  std::string bytes;
};

void PrintTo(const Bytes& b, std::ostream* out) {
  *out << b.name;
}

class ByteExactTest : public EditorTest, public ::testing::WithParamInterface<Bytes> {};

std::string AllByteValues() {
  std::string s;
  for (int i = 0; i < 256; ++i) s.push_back(static_cast<char>(i));
  return s;
}

TEST_P(ByteExactTest, LoadsAndSavesEveryByte) {
  ASSERT_TRUE(Start());
  const std::string& bytes = GetParam().bytes;
  const QString path = FromPath(Write("source.inf", bytes));
  ASSERT_TRUE(app_->OpenDocumentFile(path));
  EXPECT_EQ(view().Bytes(), bytes);
  EXPECT_FALSE(doc().IsModified());

  // Save writes it back unchanged, and Save As to a new name writes the same.
  ASSERT_TRUE(doc().OnFileSave());
  EXPECT_EQ(ReadFile(ToPath(path)), bytes);
  dialogs_.saveAsAnswers.push_back(Path("copy.inf"));
  ASSERT_TRUE(doc().OnFileSaveAs());
  EXPECT_EQ(ReadFile(ToPath(Path("copy.inf"))), bytes);
  EXPECT_TRUE(dialogs_.boxes.empty()) << dialogs_.texts().join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Contents, ByteExactTest,
                         ::testing::Values(Bytes{"Empty", ""}, Bytes{"CrLf", "A = 1\r\nB = 2\r\n"},
                                           Bytes{"NoFinalLineBreak", "A = 1\r\nB = 2"},
                                           Bytes{"LoneLineFeeds", "A = 1\nB = 2\n"},
                                           Bytes{"LoneCr", "A = 1\rB = 2\r"},
                                           Bytes{"MixedEnds", "a\r\nb\nc\rd\n\re"},
                                           Bytes{"Nul", std::string("x\0y\0\0z", 6)},
                                           Bytes{"HighBytes", "\x80\x9f\xa0\xe9\xff = \xfe\r\n"},
                                           Bytes{"EveryByte", AllByteValues()}),
                         [](const ::testing::TestParamInfo<Bytes>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(DocumentTest, EnterInsertsCrLfAndTypedBytesAreSaved) {
  ASSERT_TRUE(Start());
  view().setFocus();
  QTest::keyClicks(&view(), "ab");
  QTest::keyClick(&view(), Qt::Key_Return);
  QTest::keyClick(&view(), Qt::Key_Tab);
  QKeyEvent eAcute(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0xE9)));
  QCoreApplication::sendEvent(&view(), &eAcute);
  EXPECT_EQ(view().Bytes(), "ab\r\n\t\xe9");
  EXPECT_TRUE(doc().IsModified());
  dialogs_.saveAsAnswers.push_back(Path("typed.inf"));
  ASSERT_TRUE(doc().OnFileSave());
  EXPECT_EQ(ReadFile(ToPath(Path("typed.inf"))), "ab\r\n\t\xe9");
  EXPECT_FALSE(doc().IsModified());
  EXPECT_EQ(frame().windowTitle(), "typed.inf - Tarvex");
}

TEST_F(DocumentTest, SizeLimitOfAFile) {
  ASSERT_TRUE(Start());
  const std::string largest(1048575, 'a');
  ASSERT_TRUE(app_->OpenDocumentFile(FromPath(Write("largest.inf", largest))));
  EXPECT_EQ(view().Length(), 1048575);

  // One byte more is refused, and the open document stays as it was.
  const std::string tooLarge(1048576, 'b');
  EXPECT_FALSE(app_->OpenDocumentFile(FromPath(Write("too-large.inf", tooLarge))));
  EXPECT_EQ(dialogs_.texts(), QStringList{"The file is too large to open."});
  EXPECT_EQ(dialogs_.boxes[0].icon, Dialogs::Icon::kWarning);
  EXPECT_EQ(doc().title(), "largest.inf");
  EXPECT_EQ(view().Length(), 1048575);
}

TEST_F(DocumentTest, SaveOnAFullDiskKeepsTheOldFile) {
  ASSERT_TRUE(Start());
  const std::string old = "Timeout = 30\r\n";
  const QString path = FromPath(Write("policy.inf", old));
  ASSERT_TRUE(app_->OpenDocumentFile(path));
  Append(std::string(4096, 'x'));
  ASSERT_TRUE(doc().IsModified());

  // Writes beyond 64 bytes fail (EFBIG) instead of killing the process.
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool ok = doc().OnFileSave();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(ok);
  EXPECT_EQ(dialogs_.texts(), QStringList{"Disk full while accessing " + path + "."});
  EXPECT_EQ(ReadFile(ToPath(path)), old);
  EXPECT_TRUE(doc().IsModified());
  EXPECT_EQ(doc().path(), path);
  EXPECT_EQ(dir_.Entries(), (std::vector<std::string>{"keyword.txt", "policy.inf"}));
}

TEST_F(DocumentTest, FailedSaveUnderANewNameLeavesNoFile) {
  ASSERT_TRUE(Start());
  Append("A = 1");
  dialogs_.saveAsAnswers.push_back(Path("missing-folder/a.inf"));
  EXPECT_FALSE(doc().OnFileSave());
  EXPECT_EQ(dialogs_.texts(),
            QStringList{Path("missing-folder/a.inf") + " contains an invalid path."});
  EXPECT_TRUE(doc().path().isEmpty());
  EXPECT_TRUE(doc().IsModified());
  EXPECT_EQ(frame().windowTitle(), "Untitled - Tarvex");
}

TEST_F(DocumentTest, SaveAsksForANameWhenTheFileIsGone) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(doc().ProposedSaveName(), "Untitled.inf");
  const QString path = FromPath(Write("gone.inf", "A = 1"));
  ASSERT_TRUE(app_->OpenDocumentFile(path));
  QFile::remove(path);
  dialogs_.saveAsAnswers.push_back(QString());  // the user cancels
  EXPECT_FALSE(doc().OnFileSave());
  ASSERT_EQ(dialogs_.savePrompts.size(), 1u);
  EXPECT_EQ(dialogs_.savePrompts[0].title, "Save As");
  EXPECT_EQ(dialogs_.savePrompts[0].filters,
            (QStringList{"Tarvex Files (*.inf)", "All Files (*.*)"}));
  EXPECT_EQ(dialogs_.savePrompts[0].proposed, path);
  EXPECT_FALSE(FileExists(ToPath(path)));
}

TEST_F(DocumentTest, ReadFailuresNameTheirCause) {
  ASSERT_TRUE(Start());
  Append("unsaved");
  dialogs_.saveAnswers = {Dialogs::Answer::kNo, Dialogs::Answer::kNo};
  EXPECT_FALSE(app_->OpenDocumentFile(Path("absent.inf")));
  QDir(FromPath(dir_.path().string())).mkdir(QStringLiteral("folder.inf"));
  EXPECT_FALSE(app_->OpenDocumentFile(Path("folder.inf")));
  EXPECT_EQ(dialogs_.texts(), (QStringList{Path("absent.inf") + " was not found.",
                                           "Access to " + Path("folder.inf") + " was denied."}));
  // Nothing was read: the unsaved text is still there.
  EXPECT_EQ(view().Bytes(), "unsaved");
  EXPECT_TRUE(doc().IsModified());
}

}  // namespace
}  // namespace tarvex::qt::testing
