// The desktop editor, tarvex.
#include <QApplication>
#include <cstdlib>
#include <iostream>

#include "qt/qt_dialogs.h"
#include "qt/startup/display_check.h"
#include "qt/tarvex_app.h"
#include "shell/command_line.h"

int main(int argc, char* argv[]) {
  const auto env = [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value ? value : "");
  };
  if (!tarvex::qt::HasGraphicalSession(env)) {
    std::cerr << tarvex::qt::kNoDisplayMessage << '\n';
    return 1;
  }
  std::vector<std::string> args(argv + 1, argv + argc);
  // Editing in place is XEmbed, which only X11 has: under a Wayland session
  // an object runs on Xwayland unless told otherwise.
  if (tarvex::shell::ParseCommandLine(args).runEmbedded &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "xcb");
  }
  QApplication qt(argc, argv);
  tarvex::qt::QtDialogs dialogs;
  tarvex::qt::CTarvexApp app(dialogs);
  if (app.InitInstance(args)) qt.exec();
  return app.ExitInstance();
}
