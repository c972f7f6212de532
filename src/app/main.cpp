// The desktop editor, tarvex.
#include <QApplication>
#include <cstdlib>
#include <iostream>

#include "app/command_line.h"
#include "app/qt_dialogs.h"
#include "app/startup/display_check.h"
#include "app/tarvex_app.h"

int main(int argc, char* argv[]) {
  const auto env = [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value ? value : "");
  };
  std::vector<std::string> args(argv + 1, argv + argc);
  const tarvex::app::CommandLineInfo info = tarvex::app::ParseCommandLine(args);
  // Asked what it is, the editor answers on the terminal, display or not.
  if (info.showHelp || info.showVersion) {
    std::cout << (info.showHelp ? tarvex::app::HelpText() : tarvex::app::VersionText());
    return 0;
  }
  if (!tarvex::app::HasGraphicalSession(env)) {
    std::cerr << tarvex::app::kNoDisplayMessage << '\n';
    return 1;
  }
  // Editing in place is XEmbed, which only X11 has: under a Wayland session
  // an object runs on Xwayland unless told otherwise.
  if (info.runEmbedded && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
      !qEnvironmentVariableIsEmpty("DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "xcb");
  }
  QApplication qt(argc, argv);
  tarvex::app::QtDialogs dialogs;
  tarvex::app::CTarvexApp app(dialogs);
  if (app.InitInstance(args)) qt.exec();
  return app.ExitInstance();
}
