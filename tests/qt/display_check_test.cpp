// Start-up without a graphical session: one plain line and status 1, or
// the answer to --help and --version.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <map>

#include "platform/version.h"
#include "qt/startup/display_check.h"
#include "qt/startup/help_text.h"

namespace tarvex::qt::testing {
namespace {

TEST(DisplayCheckTest, FindsASessionOnlyWhereOneIs) {
  struct Case {
    std::map<std::string, std::string> env;
    bool expected;
  };
  const std::vector<Case> cases = {
    {{}, false},
    {{{"QT_QPA_PLATFORM", "offscreen"}}, true},
    {{{"WAYLAND_DISPLAY", "wayland-0"}}, true},
    {{{"DISPLAY", ""}}, false},
#if defined(TARVEX_HAVE_XKB)
    {{{"DISPLAY", ":7341"}}, false},  // named, but no server answers
#endif
  };
  for (const Case& c : cases) {
    const auto env = [&c](const char* name) {
      const auto it = c.env.find(name);
      return it == c.env.end() ? std::string() : it->second;
    };
    EXPECT_EQ(HasGraphicalSession(env), c.expected) << c.env.size();
  }
}

TEST(DisplayCheckTest, EditorWithoutADisplaySaysSoInOneLine) {
  QProcess editor;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
  editor.setProcessEnvironment(env);
  editor.start(QStringLiteral(TARVEX_EDITOR_PATH), {});
  ASSERT_TRUE(editor.waitForFinished(20000));
  EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(editor.exitCode(), 1);
  EXPECT_EQ(editor.readAllStandardOutput(), QByteArray());
  EXPECT_EQ(editor.readAllStandardError(), QByteArray(kNoDisplayMessage) + "\n");
}

TEST(DisplayCheckTest, EditorAnswersHelpAndVersionWithoutADisplay) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
  const std::pair<QString, QByteArray> cases[] = {
      {QStringLiteral("--version"), QByteArray("tarvex (Tarvex) ") + kVersion + "\n"},
      {QStringLiteral("--help"), QByteArray(HelpText().c_str())},
  };
  for (const auto& [arg, expected] : cases) {
    QProcess editor;
    editor.setProcessEnvironment(env);
    editor.start(QStringLiteral(TARVEX_EDITOR_PATH), {arg});
    ASSERT_TRUE(editor.waitForFinished(20000)) << arg.toStdString();
    EXPECT_EQ(editor.exitCode(), 0) << arg.toStdString();
    EXPECT_EQ(editor.readAllStandardOutput(), expected);
    EXPECT_EQ(editor.readAllStandardError(), QByteArray());
  }
}

}  // namespace
}  // namespace tarvex::qt::testing
