// The desktop editor, tarvex.
#include <QApplication>

#include "app/qt_dialogs.h"
#include "app/tarvex_app.h"

int main(int argc, char* argv[]) {
  QApplication qt(argc, argv);
  tarvex::app::QtDialogs dialogs;
  tarvex::app::CTarvexApp app(dialogs);
  std::vector<std::string> args(argv + 1, argv + argc);
  if (app.InitInstance(args)) qt.exec();
  return app.ExitInstance();
}
