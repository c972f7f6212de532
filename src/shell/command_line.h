// The editor's command line: what start-up is asked to do.
//
// An argument that begins with "-" is a switch named by the rest of it, and
// so is one that begins with "/" when the rest holds no "/" or "." (an
// absolute path such as "/etc/gateway.inf" is a file); every other argument
// is a parameter. The first parameter is the file;
// with "pt" the next three are the printer, its driver and its port. "p",
// "pt" and "dde" are matched with letter case, "Embedding", "Automation",
// "Unregister" and "Unregserver" without; other switches are ignored.
// "--help" and "--version" ask what the program is and start nothing.
#ifndef TARVEX_SHELL_COMMAND_LINE_H_
#define TARVEX_SHELL_COMMAND_LINE_H_

#include <string>
#include <vector>

namespace tarvex::shell {

struct CommandLineInfo {
  enum class Shell {
    kFileNew,        // no file: a new empty document
    kFileOpen,       // open the file
    kFilePrint,      // "p": print the file without a dialog, then end
    kFilePrintTo,    // "pt": print the file to the named printer, then end
    kFileDde,        // "dde": a desktop request; Tarvex registers none
    kAppUnregister,  // "Unregister" / "Unregserver"
  };

  Shell shell = Shell::kFileNew;
  bool runEmbedded = false;   // "Embedding" or "Automation": started by a container
  bool runAutomated = false;  // "Automation"
  bool showHelp = false;      // "--help": print the editor's help and exit, no window
  bool showVersion = false;   // "--version": print VersionText() and exit
  std::string fileName;
  std::string printerName;
  std::string driverName;
  std::string portName;
};

// Reads the arguments after the program's name.
CommandLineInfo ParseCommandLine(const std::vector<std::string>& args);

// What "--version" prints on standard output; no display needed.
std::string VersionText();

}  // namespace tarvex::shell

#endif  // TARVEX_SHELL_COMMAND_LINE_H_
