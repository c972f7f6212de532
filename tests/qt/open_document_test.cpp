// The open-document operation, File, Open and files dropped on the window.
#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>
#include <filesystem>

#include "editor_fixture.h"

namespace tarvex::qt::testing {
namespace {

class OpenDocumentTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ASSERT_TRUE(Start());
  }

  // A policy binary compiled from the example policy, as Generate writes it.
  QString MakePolicyBinary() {
    Write("peer.key", ExampleFile("peer.key"));
    EXPECT_TRUE(app_->OpenDocumentFile(FromPath(Write("policy.inf", ExampleFile("policy.inf")))));
    frame().ExecuteCommand(ID_GENERATE);
    dialogs_.boxes.clear();
    app_->OnFileNew();
    return Path("policy.bin");
  }

  // Drags files from the desktop onto the text view, as a user does.
  void Drop(const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    data.setUrls(urls);
    QWidget* target = view().viewport();
    const QPointF at(20, 20);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted()) << "the window refuses the drag";
    QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    Settle();
  }
};

TEST_F(OpenDocumentTest, QuotedRelativeAndLinkedPathsOpenTheSameFile) {
  Write("gate.inf", "A = 1");
  std::filesystem::create_symlink(dir_.Path("gate.inf"), dir_.Path("link.inf"));
  for (const QString& given : {QStringLiteral("gate.inf"), "\"" + Path("gate.inf") + "\" extra",
                               Path("link.inf"), Path("sub/../gate.inf")}) {
    app_->OnFileNew();
    ASSERT_TRUE(app_->OpenDocumentFile(given)) << given.toStdString();
    EXPECT_EQ(doc().path(), Path("gate.inf")) << given.toStdString();
    EXPECT_EQ(view().Bytes(), "A = 1");
  }
}

TEST_F(OpenDocumentTest, TheOpenDocumentIsNotReadAgain) {
  ASSERT_TRUE(app_->OpenDocumentFile(FromPath(Write("gate.inf", "A = 1"))));
  Append("2");
  EXPECT_EQ(app_->OpenDocumentFile(Path("gate.inf")), &doc());
  EXPECT_EQ(view().Bytes(), "A = 12");
  EXPECT_TRUE(dialogs_.saveQuestions.empty());

  // A name that differs in letter case is another file here.
  Write("GATE.inf", "B = 2");
  dialogs_.saveAnswers.push_back(Dialogs::Answer::kNo);
  ASSERT_TRUE(app_->OpenDocumentFile(Path("GATE.inf")));
  EXPECT_EQ(view().Bytes(), "B = 2");
  EXPECT_EQ(dialogs_.saveQuestions, QStringList{"Save changes to gate.inf?"});
}

TEST_F(OpenDocumentTest, SaveQuestionAnswers) {
  Write("other.inf", "other");
  const QString mine = FromPath(Write("mine.inf", "mine"));
  struct Case {
    Dialogs::Answer answer;
    bool opened;
    std::string mineOnDisk;
  };
  for (const Case& c :
       {Case{Dialogs::Answer::kCancel, false, "mine"}, Case{Dialogs::Answer::kNo, true, "mine"},
        Case{Dialogs::Answer::kYes, true, "mine+"}}) {
    ASSERT_TRUE(app_->OpenDocumentFile(mine));
    view().SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
    view().insert(QStringLiteral("+"));
    dialogs_.saveAnswers.push_back(c.answer);
    EXPECT_EQ(app_->OpenDocumentFile(Path("other.inf")) != nullptr, c.opened);
    EXPECT_EQ(doc().title(), c.opened ? "other.inf" : "mine.inf");
    EXPECT_EQ(ReadFile(ToPath(mine)), c.mineOnDisk);
    if (!c.opened) {
      EXPECT_EQ(view().Bytes(), "mine+");
      view().SetBytes("mine");
    }
    Write("mine.inf", "mine");
  }
}

TEST_F(OpenDocumentTest, FileOpenIsForwardedToTheFramesOpen) {
  Write("a.inf", "A = 1");
  dialogs_.openAnswers.push_back(Path("a.inf"));
  QTest::keyClick(&view(), Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(dialogs_.openPrompts.size(), 1u);
  EXPECT_EQ(dialogs_.openPrompts[0].title, "Open");
  EXPECT_EQ(dialogs_.openPrompts[0].filters,
            (QStringList{"Tarvex Files (*.inf)", "All Files (*.*)"}));
  EXPECT_EQ(doc().path(), Path("a.inf"));

  // A wrong extension is refused and the document stays.
  Write("notes.txt", "text");
  dialogs_.openAnswers.push_back(Path("notes.txt"));
  frame().action(ID_FILE_OPEN)->trigger();
  EXPECT_EQ(dialogs_.texts(),
            QStringList{"Incorrect file extension.\nUnable to generate the 'Policy.bin' file."});
  EXPECT_EQ(doc().path(), Path("a.inf"));

  // Cancelling the prompt does nothing.
  dialogs_.openAnswers.push_back(QString());
  frame().action(ID_FILE_OPEN)->trigger();
  EXPECT_EQ(doc().path(), Path("a.inf"));
}

TEST_F(OpenDocumentTest, OpeningAPolicyBinaryConvertsIt) {
  const QString binary = MakePolicyBinary();
  dialogs_.openAnswers.push_back(binary);
  frame().action(ID_FILE_OPEN)->trigger();
  EXPECT_EQ(doc().path(), Path("Untitled.inf"));
  EXPECT_EQ(view().Bytes(), ReadFile(dir_.Path("Untitled.inf")));
  EXPECT_NE(view().Bytes().find("PeerLinkKey"), std::string::npos);
  EXPECT_EQ(dialogs_.texts(),
            QStringList{Path("Untitled.inf") + " file is generated successfully."});

  // A .bin that is not a policy binary writes nothing.
  dialogs_.boxes.clear();
  QFile::remove(Path("Untitled.inf"));
  app_->OnFileNew();
  dialogs_.openAnswers.push_back(FromPath(Write("plain.bin", "just text\r\n")));
  frame().action(ID_FILE_OPEN)->trigger();
  EXPECT_EQ(dialogs_.texts(), QStringList{"This is not a valid Tarvex file."});
  EXPECT_FALSE(FileExists(dir_.Path("Untitled.inf")));
}

TEST_F(OpenDocumentTest, DroppedSourcesOpenInOrder) {
  Write("first.inf", "first");
  Write("second.inf", "second");
  Drop({Path("first.inf"), Path("second.inf")});
  EXPECT_EQ(doc().path(), Path("second.inf"));
  EXPECT_EQ(view().Bytes(), "second");
  EXPECT_TRUE(dialogs_.boxes.empty());
  EXPECT_EQ(app_->recentFiles().paths(),
            (std::vector<std::string>{ToPath(Path("second.inf")), ToPath(Path("first.inf"))}));
}

TEST_F(OpenDocumentTest, DroppedBinaryIsConvertedSilently) {
  const QString binary = MakePolicyBinary();
  Write("Untitled.inf", "old");
  Drop({binary, Path("policy.inf")});
  EXPECT_EQ(doc().path(), Path("Untitled.inf"));
  EXPECT_NE(view().Bytes().find("ServerName"), std::string::npos);
  EXPECT_TRUE(dialogs_.boxes.empty()) << dialogs_.texts().join('|').toStdString();
}

TEST_F(OpenDocumentTest, DroppedSourceThenBinaryOpensTheBinaryAsText) {
  const QString binary = MakePolicyBinary();
  Drop({Path("policy.inf"), binary});
  EXPECT_EQ(doc().path(), binary);
  EXPECT_EQ(view().Bytes(), ReadFile(ToPath(binary)));
  EXPECT_FALSE(FileExists(dir_.Path("Untitled.inf")));
}

TEST_F(OpenDocumentTest, DroppedWrongExtensionIsRefused) {
  Write("a.txt", "x");
  Write("b.inf", "y");
  Drop({Path("a.txt"), Path("b.inf")});
  EXPECT_EQ(dialogs_.texts(),
            QStringList{"Incorrect file extension.\nUnable to generate the 'Policy.bin' file."});
  EXPECT_TRUE(doc().path().isEmpty());
}

TEST_F(OpenDocumentTest, TextDragsStillDropIntoTheView) {
  QMimeData data;
  data.setText(QStringLiteral("Timeout"));
  QWidget* target = view().viewport();
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &enter);
  QDragMoveEvent move(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &move);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &drop);
  EXPECT_EQ(view().Bytes(), "Timeout");
}

}  // namespace
}  // namespace tarvex::qt::testing
