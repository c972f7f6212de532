// The desktop editor, tarvex.
#include <QApplication>
#include <cstdlib>
#include <iostream>

#include "qt/qt_dialogs.h"
#include "qt/startup/display_check.h"
#include "qt/startup/help_text.h"
#include "qt/tarvex_app.h"
#include "shell/command_line.h"

int main(int argc, char* argv[]) {
  const auto env = [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value ? value : "");
  };
  std::vector<std::string> args(argv + 1, argv + argc);
  const tarvex::shell::CommandLineInfo info = tarvex::shell::ParseCommandLine(args);
  // Asked what it is, the editor answers on the terminal, display or not.
  if (info.showHelp || info.showVersion) {
    std::cout << (info.showHelp ? tarvex::qt::HelpText() : tarvex::shell::VersionText());
    return 0;
  }
  if (!tarvex::qt::HasGraphicalSession(env)) {
    std::cerr << tarvex::qt::kNoDisplayMessage << '\n';
    return 1;
  }
  // Editing in place is XEmbed, which only X11 has: under a Wayland session
  // an object runs on Xwayland unless told otherwise.
  if (info.runEmbedded && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
      !qEnvironmentVariableIsEmpty("DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "xcb");
  }
  QApplication qt(argc, argv);
  tarvex::qt::QtDialogs dialogs;
  tarvex::qt::CTarvexApp app(dialogs);
  if (app.InitInstance(args)) qt.exec();
  return app.ExitInstance();
}
