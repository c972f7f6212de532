// The desktop editor, tarvex.
#include <QApplication>

#include "app/command_line.h"
#include "app/qt_dialogs.h"
#include "app/tarvex_app.h"

int main(int argc, char* argv[]) {
  std::vector<std::string> args(argv + 1, argv + argc);
  // Editing in place is XEmbed, which only X11 has: under a Wayland session
  // an object runs on Xwayland unless told otherwise.
  if (tarvex::app::ParseCommandLine(args).runEmbedded &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "xcb");
  }
  QApplication qt(argc, argv);
  tarvex::app::QtDialogs dialogs;
  tarvex::app::CTarvexApp app(dialogs);
  if (app.InitInstance(args)) qt.exec();
  return app.ExitInstance();
}
