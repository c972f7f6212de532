// The real dialog layer, answered by a timer that finds the open box.
#include "qt/qt_dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>
#include <functional>

#include "qt_print.h"

namespace tarvex::qt {
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

// Calls `answer` with the modal dialog as soon as one is open.
void WhenDialogOpens(std::function<void(QDialog&)> answer) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, answer] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      poll->stop();
      poll->deleteLater();
      answer(*dialog);
    }
  });
  poll->start(5);
}

TEST(QtDialogs, PrintSetupIsThePrintDialogThatChoosesThePrinter) {
  QtDialogs dialogs;
  QPrinter printer;
  bool printDialog = false;
  QString title;
  WhenDialogOpens([&](QDialog& dialog) {
    printDialog = qobject_cast<QPrintDialog*>(&dialog) != nullptr;
    title = dialog.windowTitle();
    dialog.reject();
  });
  EXPECT_FALSE(dialogs.PrintSetup(nullptr, printer));
  EXPECT_TRUE(printDialog);
  EXPECT_EQ(title, "Print Setup");
}

TEST(QtDialogs, PreviewOpensAsItWasLeft) {
  QtDialogs dialogs;
  QPrinter printer;
  const struct {
    int pages;
    const char* action;
    QPrintPreviewWidget::ViewMode mode;
    int returned;
  } cases[] = {{1, "singleModeAction", QPrintPreviewWidget::SinglePageView, 1},
               {2, "facingModeAction", QPrintPreviewWidget::FacingPagesView, 2},
               {3, "overviewModeAction", QPrintPreviewWidget::AllPagesView, 3}};
  for (const auto& c : cases) {
    bool checked = false;
    QPrintPreviewWidget::ViewMode mode{};
    QPrintPreviewWidget::ZoomMode zoom{};
    WhenDialogOpens([&](QDialog& dialog) {
      auto* action = dialog.findChild<QAction*>(QLatin1String(c.action));
      checked = action && action->isChecked();
      auto* preview = dialog.findChild<QPrintPreviewWidget*>();
      mode = preview->viewMode();
      zoom = preview->zoomMode();
      dialog.reject();
    });
    // One page to show: an overview still comes back as an overview.
    EXPECT_EQ(dialogs.PrintPreview(nullptr, printer, c.pages, [](QPrinter*) {}), c.returned);
    EXPECT_TRUE(checked) << c.pages;
    EXPECT_EQ(mode, c.mode) << c.pages;
    if (c.pages < 3) {
      EXPECT_EQ(zoom, QPrintPreviewWidget::FitInView) << c.pages;
    }
  }
}

}  // namespace
}  // namespace tarvex::qt
