// What "tarvex --help" prints on standard output: the Linux editor's
// command line, switches, files and exit status. No display needed.
#ifndef TARVEX_QT_STARTUP_HELP_TEXT_H_
#define TARVEX_QT_STARTUP_HELP_TEXT_H_

#include <string>

namespace tarvex::qt {

std::string HelpText();

}  // namespace tarvex::qt

#endif  // TARVEX_QT_STARTUP_HELP_TEXT_H_
