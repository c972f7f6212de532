// The object as a container sees it, without the bus: its text, extent,
// picture and verbs, its own window with menu 5, and the in-place frame.
#include "qt/embedding/embedded_object.h"

#include <QBuffer>
#include <QImage>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QToolBar>

#include "editor_fixture.h"
#include "qt/embedding/in_place_frame.h"

namespace tarvex::qt::testing {
namespace {

class EmbeddedObjectTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ASSERT_TRUE(Start());
    object_ = std::make_unique<EmbeddedObject>(*app_);
  }
  void TearDown() override {
    object_.reset();
    EditorTest::TearDown();
  }

  QByteArray Save() { return object_->Save(); }
  static QString ErrorName(const EmbeddedObject::Result& r) { return r ? r->name : QString(); }

  std::unique_ptr<EmbeddedObject> object_;
};

TEST_F(EmbeddedObjectTest, LoadAndSaveKeepEveryByte) {
  QByteArray all;
  for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
  const QByteArray cases[] = {all + "\r\n" + all, QByteArray("a\r\nb\nc\rno end"), QByteArray(),
                              QByteArray(CTarvexView::kTextLimit, 'x')};
  for (const QByteArray& bytes : cases) {
    ASSERT_FALSE(object_->Load(bytes));
    EXPECT_FALSE(object_->IsDirty());
    EXPECT_EQ(Save(), bytes) << bytes.size();
  }
}

TEST_F(EmbeddedObjectTest, OversizeLoadIsRefusedAndTheTextKept) {
  ASSERT_FALSE(object_->Load("kept"));
  EXPECT_EQ(ErrorName(object_->Load(QByteArray(CTarvexView::kTextLimit + 1, 'x'))),
            EmbeddedObject::kErrorTooLarge);
  EXPECT_EQ(Save(), "kept");
}

TEST_F(EmbeddedObjectTest, EditsMakeItDirtyAndTellTheContainer) {
  QSignalSpy changed(object_.get(), &EmbeddedObject::DataChanged);
  ASSERT_FALSE(object_->Load("Name=1"));
  Settle();
  EXPECT_EQ(changed.count(), 0);  // loading is no user edit
  Append("2");
  Append("3");
  Settle();
  EXPECT_EQ(changed.count(), 1);  // one burst, one signal
  EXPECT_TRUE(object_->IsDirty());
  EXPECT_EQ(Save(), "Name=123");
  EXPECT_FALSE(object_->IsDirty());
  ASSERT_FALSE(object_->InitNew());
  EXPECT_EQ(Save(), "");
}

TEST_F(EmbeddedObjectTest, ExtentPictureAndVerbs) {
  for (unsigned aspect : {0u, 2u, 4u, 8u}) {
    QSize extent;
    EXPECT_EQ(ErrorName(object_->GetExtent(aspect, &extent)),
              EmbeddedObject::kErrorInvalidArgument);
    QByteArray png;
    EXPECT_EQ(ErrorName(object_->Draw(aspect, &png)), EmbeddedObject::kErrorInvalidArgument);
  }
  QSize extent;
  ASSERT_FALSE(object_->GetExtent(1, &extent));
  EXPECT_EQ(extent, QSize(3000, 3000));

  QByteArray png;
  ASSERT_FALSE(object_->Draw(1, &png));
  QImage picture;
  ASSERT_TRUE(picture.loadFromData(png, "PNG"));
  EXPECT_EQ(picture.width(), picture.height());
  for (int y = 0; y < picture.height(); y += 7) {
    for (int x = 0; x < picture.width(); x += 7) EXPECT_EQ(qAlpha(picture.pixel(x, y)), 0);
  }

  EXPECT_EQ(EmbeddedObject::Verbs(), QStringList({"&Edit", "&Open"}));
  for (int verb : {-1, 2, 7}) {
    EXPECT_EQ(ErrorName(object_->DoVerb(verb, 0)), EmbeddedObject::kErrorInvalidArgument);
  }
  // In place needs an X display; this suite runs offscreen.
  EXPECT_EQ(ErrorName(object_->DoVerb(0, 1234)), EmbeddedObject::kErrorNotSupported);
  EXPECT_EQ(object_->state(), EmbeddedObject::State::kLoaded);
}

TEST_F(EmbeddedObjectTest, OwnWindowHasMenuFiveAndTheHostNames) {
  frame().hide();
  object_->SetHostNames("Test Container", "R&D Object");
  ASSERT_FALSE(object_->DoVerb(1, 0));
  EXPECT_EQ(object_->state(), EmbeddedObject::State::kOpen);
  EXPECT_TRUE(frame().isVisible());
  EXPECT_EQ(frame().windowTitle(), "Tarvex in R&D Object - Tarvex");

  QStringList menus;
  for (QAction* menu : frame().menuBar()->actions()) menus << menu->text();
  EXPECT_EQ(menus, QStringList({"&File", "&Edit", "&View", "&Help"}));
  QStringList file;
  for (QAction* item : frame().menuBar()->actions().front()->menu()->actions()) {
    if (item->isSeparator()) continue;
    const QKeySequence key = item->shortcut();
    file << item->text() + (key.isEmpty() ? QString() : "\t" + key.toString());
  }
  EXPECT_EQ(file,
            QStringList({"&Update R&&D Object\tCtrl+S", "Save Copy &As...", "&Print...\tCtrl+P",
                         "Print Pre&view", "P&rint Setup...", "E&xit && Return to R&&D Object"}));
  EXPECT_EQ(frame().action(ID_FILE_UPDATE)->shortcuts(),
            QList<QKeySequence>({QKeySequence("Ctrl+S")}));
  EXPECT_TRUE(frame().action(ID_FILE_SAVE)->shortcuts().isEmpty());
  EXPECT_TRUE(frame().action(ID_FILE_NEW)->shortcuts().isEmpty());

  EXPECT_EQ(ErrorName(object_->Load("x")), EmbeddedObject::kErrorNotNow);
  QSignalSpy update(object_.get(), &EmbeddedObject::SaveRequested);
  QTest::keyClick(frame().view(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(update.count(), 1);
}

TEST_F(EmbeddedObjectTest, ClosingTheOwnWindowHandsTheChangesBack) {
  ASSERT_FALSE(object_->DoVerb(1, 0));
  Append("changed");
  QSignalSpy update(object_.get(), &EmbeddedObject::SaveRequested);
  QSignalSpy ended(object_.get(), &EmbeddedObject::Deactivated);
  frame().ExecuteCommand(ID_APP_EXIT);
  EXPECT_TRUE(dialogs_.saveQuestions.isEmpty());
  EXPECT_EQ(update.count(), 1);
  EXPECT_EQ(ended.count(), 1);
  EXPECT_FALSE(frame().isVisible());
  EXPECT_EQ(object_->state(), EmbeddedObject::State::kLoaded);
  EXPECT_EQ(Save(), "changed");
}

TEST_F(EmbeddedObjectTest, SaveCopyAsKeepsTheObjectAsItWas) {
  ASSERT_FALSE(object_->Load("Name=copy\r\n"));
  object_->SetHostNames("Test Container", "Object 1");
  ASSERT_FALSE(object_->DoVerb(1, 0));
  Append("x");
  dialogs_.saveAsAnswers.push_back(Path("copy.inf"));
  frame().ExecuteCommand(ID_FILE_SAVE_COPY_AS);
  ASSERT_EQ(dialogs_.savePrompts.size(), 1u);
  EXPECT_EQ(dialogs_.savePrompts[0].title, "Save Copy As");
  EXPECT_EQ(ReadFile(dir_.Path("copy.inf")), "Name=copy\r\nx");
  EXPECT_TRUE(object_->IsDirty());
  EXPECT_EQ(doc().title(), "Tarvex in Object 1");
  EXPECT_TRUE(doc().path().isEmpty());
}

TEST_F(EmbeddedObjectTest, InPlaceFrameHasMenuAndToolbarFour) {
  CInPlaceFrame ip([](int) {});
  ASSERT_EQ(ip.OnCreate(), 0);
  QStringList menus;
  for (QAction* menu : ip.menuBar()->actions()) menus << menu->text();
  EXPECT_EQ(menus, QStringList({"&Edit", "&View", "&Help"}));
  QList<int> buttons;
  for (QAction* a : ip.m_wndInPlaceTools->actions()) {
    buttons << (a->isSeparator() ? 0
                                 : (a == ip.action(ID_EDIT_CUT)     ? ID_EDIT_CUT
                                    : a == ip.action(ID_EDIT_COPY)  ? ID_EDIT_COPY
                                    : a == ip.action(ID_EDIT_PASTE) ? ID_EDIT_PASTE
                                                                    : ID_APP_ABOUT));
  }
  EXPECT_EQ(buttons, QList<int>({ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, 0, ID_APP_ABOUT}));
  EXPECT_EQ(ip.m_wndInPlaceTools->iconSize(), QSize(16, 15));
  EXPECT_FALSE(ip.action(ID_FILE_SAVE));  // no File menu in place
}

TEST_F(EmbeddedObjectTest, InPlaceFrameTakesEscAndRefusesDrops) {
  std::vector<int> commands;
  CInPlaceFrame ip([&commands](int id) { commands.push_back(id); });
  ASSERT_EQ(ip.OnCreate(), 0);
  CTarvexView* view = frame().view();
  frame().takeCentralWidget();
  ip.SetView(view);
  ip.resize(400, 300);
  ip.show();
  EXPECT_FALSE(view->viewport()->acceptDrops());

  QSignalSpy cancel(&ip, &CInPlaceFrame::cancelInPlace);
  QTest::keyClick(view, Qt::Key_Escape);
  EXPECT_EQ(cancel.count(), 1);
  ip.action(ID_EDIT_PASTE)->setEnabled(true);
  ip.action(ID_EDIT_PASTE)->trigger();
  ip.action(ID_APP_ABOUT)->trigger();
  EXPECT_EQ(commands, std::vector<int>({ID_EDIT_PASTE, ID_APP_ABOUT}));

  // Dragging the bottom right corner 40 by 30 pixels asks for that much more.
  QSignalSpy resize(&ip, &CInPlaceFrame::resizeRequested);
  const QPoint corner(ip.width() - 2, ip.height() - 2);
  QTest::mousePress(&ip, Qt::LeftButton, Qt::NoModifier, corner);
  QTest::mouseRelease(&ip, Qt::LeftButton, Qt::NoModifier, corner + QPoint(40, 30));
  ASSERT_EQ(resize.count(), 1);
  EXPECT_EQ(resize.at(0).at(0).toSize(), QSize(440, 330));

  frame().setCentralWidget(ip.TakeView());
  EXPECT_TRUE(view->viewport()->acceptDrops());
}

}  // namespace
}  // namespace tarvex::qt::testing
