// The fixture of the editor's tests: a fresh folder as the current
// directory with the example keyword.txt, scripted dialogs, and the
// application, started on demand like the program is.
#ifndef TARVEX_TESTS_APP_EDITOR_FIXTURE_H_
#define TARVEX_TESTS_APP_EDITOR_FIXTURE_H_

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "keywords/keyword_table.h"
#include "platform/resource_ids.h"
#include "qt/keyword_toolbar.h"
#include "qt/main_frame.h"
#include "qt/status_bar.h"
#include "qt/tarvex_app.h"
#include "qt/tarvex_doc.h"
#include "qt/tarvex_view.h"
#include "qt/text_codec.h"
#include "qt_print.h"
#include "scripted_dialogs.h"
#include "support/temp_dir.h"

namespace tarvex::qt::testing {

using tarvex::testing::FileExists;
using tarvex::testing::ReadFile;

inline std::string ExampleFile(const std::string& name) {
  return ReadFile(std::string(TARVEX_EXAMPLES_DIR) + "/" + name);
}

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GlobalKeywordTable().Clear();
    dir_.Write("keyword.txt", ExampleFile("keyword.txt"));
    app_ = std::make_unique<CTarvexApp>(dialogs_);
    app_->setHelpFile(QStringLiteral(TARVEX_HELP_FILE));
  }
  void TearDown() override {
    app_.reset();
    GlobalKeywordTable().Clear();
  }

  // Starts the application with these arguments; true when its window is up.
  bool Start(const std::vector<std::string>& args = {}) {
    const bool up = app_->InitInstance(args);
    if (up) frame().resize(800, 600);
    Settle();
    return up;
  }

  // Lets queued work run: painting, the view's wrapping, deferred drops.
  static void Settle() {
    for (int i = 0; i < 5; ++i) {
      QCoreApplication::processEvents();
      QTest::qWait(5);
    }
  }

  CMainFrame& frame() { return *app_->frame(); }
  CTarvexView& view() { return *app_->frame()->view(); }
  CTarvexDoc& doc() { return *app_->document(); }

  // The line and column pane after an idle moment.
  QString LineCol() {
    Settle();
    frame().UpdateStatusPanes();
    return frame().m_wndStatus->PaneText(ID_INDICATOR_LINECOL);
  }

  // Adds text at the end as an edit (undoable, marks the document modified).
  void Append(const std::string& bytes) {
    view().SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, static_cast<uintptr_t>(bytes.size()),
                         bytes.data());
  }

  std::string Write(const std::string& name, const std::string& bytes) {
    return dir_.Write(name, bytes);
  }
  QString Path(const std::string& name) const { return FromPath(dir_.Path(name)); }

  tarvex::testing::TempDir dir_{true};
  ScriptedDialogs dialogs_;
  std::unique_ptr<CTarvexApp> app_;
};

}  // namespace tarvex::qt::testing

#endif  // TARVEX_TESTS_APP_EDITOR_FIXTURE_H_
