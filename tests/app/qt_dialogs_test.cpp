// The real dialog layer, answered by a timer that finds the open box.
#include "app/qt_dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "qt_print.h"

namespace tarvex::app {
namespace {

// Calls `answer` with the modal box as soon as one is open.
void WhenBoxOpens(std::function<void(QMessageBox&)> answer) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, answer] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      poll->stop();
      poll->deleteLater();
      answer(*box);
    }
  });
  poll->start(5);
}

TEST(QtDialogs, MessageBoxesHaveTheCaptionOneButtonAndTheirIcon) {
  QtDialogs dialogs;
  for (const auto& [icon, expected] : {std::pair{Dialogs::Icon::kNone, QMessageBox::NoIcon},
                                       std::pair{Dialogs::Icon::kWarning, QMessageBox::Warning}}) {
    QString title;
    QString text;
    int buttons = 0;
    QMessageBox::Icon shown{};
    WhenBoxOpens([&](QMessageBox& box) {
      title = box.windowTitle();
      text = box.text();
      buttons = static_cast<int>(box.buttons().size());
      shown = box.icon();
      box.button(QMessageBox::Ok)->click();
    });
    dialogs.Message(nullptr, QStringLiteral("<b>5000</b> is not\nwithin"), icon);
    EXPECT_EQ(title, "Tarvex");
    EXPECT_EQ(text, "<b>5000</b> is not\nwithin");
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(shown, expected);
  }
}

TEST(QtDialogs, SaveQuestionOffersYesNoAndCancel) {
  QtDialogs dialogs;
  for (const auto& [button, answer] : {std::pair{QMessageBox::Yes, Dialogs::Answer::kYes},
                                       std::pair{QMessageBox::No, Dialogs::Answer::kNo},
                                       std::pair{QMessageBox::Cancel, Dialogs::Answer::kCancel}}) {
    WhenBoxOpens([button = button](QMessageBox& box) {
      EXPECT_EQ(box.buttons().size(), 3);
      box.button(button)->click();
    });
    EXPECT_EQ(dialogs.AskToSave(nullptr, QStringLiteral("Save changes to Untitled?")), answer);
  }
}

}  // namespace
}  // namespace tarvex::app
