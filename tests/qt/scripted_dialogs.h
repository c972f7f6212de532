// Dialogs for tests: every box and prompt is recorded and answered from a
// script; one that the test did not script fails the test and is cancelled.
#ifndef TARVEX_TESTS_APP_SCRIPTED_DIALOGS_H_
#define TARVEX_TESTS_APP_SCRIPTED_DIALOGS_H_

#include <gtest/gtest.h>

#include <QDialog>
#include <QPrinter>
#include <deque>
#include <vector>

#include "qt/dialogs.h"

namespace tarvex::qt::testing {

class ScriptedDialogs : public Dialogs {
 public:
  struct Box {
    QString text;
    Icon icon;
    QWidget* parent;
  };
  struct Prompt {
    QString title;
    QStringList filters;
    QString proposed;
  };

  // What was shown, in order.
  std::vector<Box> boxes;
  QStringList saveQuestions;
  std::vector<Prompt> openPrompts;
  std::vector<Prompt> savePrompts;
  int printDialogs = 0;
  int printSetups = 0;
  int previewOpenedWith = -1;
  QStringList dialogTitles;

  // The answers, used up in order.
  std::deque<Answer> saveAnswers;
  std::deque<QString> openAnswers;
  std::deque<QString> saveAsAnswers;
  bool acceptPrint = true;
  int previewAnswer = 1;
  std::function<void(QDialog&)> onRun;

  QStringList texts() const {
    QStringList out;
    for (const Box& b : boxes) out << b.text;
    return out;
  }

  void Message(QWidget* parent, const QString& text, Icon icon) override {
    boxes.push_back({text, icon, parent});
  }
  Answer AskToSave(QWidget*, const QString& text) override {
    saveQuestions.push_back(text);
    if (saveAnswers.empty()) {
      ADD_FAILURE() << "unscripted question: " << text.toStdString();
      return Answer::kCancel;
    }
    const Answer a = saveAnswers.front();
    saveAnswers.pop_front();
    return a;
  }
  QString OpenFileName(QWidget*, const QString& title, const QStringList& filters) override {
    openPrompts.push_back({title, filters, QString()});
    return Next(openAnswers, "open prompt");
  }
  QString SaveFileName(QWidget*, const QString& title, const QStringList& filters,
                       const QString& proposed) override {
    savePrompts.push_back({title, filters, proposed});
    return Next(saveAsAnswers, "save prompt");
  }
  bool PrintDialog(QWidget*, QPrinter&) override {
    ++printDialogs;
    return acceptPrint;
  }
  bool PrintSetup(QWidget*, QPrinter&) override {
    ++printSetups;
    return true;
  }
  int PrintPreview(QWidget*, QPrinter& printer, int pages,
                   const std::function<void(QPrinter*)>& paint) override {
    previewOpenedWith = pages;
    paint(&printer);
    return previewAnswer;
  }
  void Run(QDialog& dialog) override {
    dialogTitles.push_back(dialog.windowTitle());
    if (onRun) onRun(dialog);
  }

 private:
  static QString Next(std::deque<QString>& answers, const char* what) {
    if (answers.empty()) {
      ADD_FAILURE() << "unscripted " << what;
      return QString();
    }
    QString a = answers.front();
    answers.pop_front();
    return a;
  }
};

}  // namespace tarvex::qt::testing

#endif  // TARVEX_TESTS_APP_SCRIPTED_DIALOGS_H_
