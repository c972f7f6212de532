#include "shell/command_line.h"

#include "keywords/ascii_case.h"
#include "platform/version.h"

namespace tarvex::shell {

namespace {

// "-" always starts a switch. "/" also starts every absolute path here, so
// it starts a switch only when what follows could not be a file's path: a
// name without "/" or ".", like "p" or "Embedding".
bool IsSwitch(const std::string& arg) {
  if (arg.empty()) return false;
  if (arg[0] == '-') return true;
  return arg[0] == '/' && arg.size() > 1 && arg.find_first_of("/.", 1) == std::string::npos;
}

}  // namespace

CommandLineInfo ParseCommandLine(const std::vector<std::string>& args) {
  CommandLineInfo info;
  bool print = false;
  bool printTo = false;
  bool dde = false;
  bool unregister = false;
  std::vector<std::string> parameters;
  for (const std::string& arg : args) {
    if (!IsSwitch(arg)) {
      parameters.push_back(arg);
      continue;
    }
    const std::string name = arg.substr(1);
    if (name == "p") {
      print = true;
    } else if (name == "pt") {
      printTo = true;
    } else if (name == "dde") {
      dde = true;
    } else if (arg == "--help") {
      info.showHelp = true;
    } else if (arg == "--version") {
      info.showVersion = true;
    } else if (EqualsIgnoreAsciiCase(name, "Embedding")) {
      info.runEmbedded = true;
    } else if (EqualsIgnoreAsciiCase(name, "Automation")) {
      info.runEmbedded = true;
      info.runAutomated = true;
    } else if (EqualsIgnoreAsciiCase(name, "Unregister") ||
               EqualsIgnoreAsciiCase(name, "Unregserver")) {
      unregister = true;
    }
  }

  std::size_t next = 0;
  auto take = [&](std::string* field) {
    if (next < parameters.size()) *field = parameters[next++];
  };
  take(&info.fileName);
  if (printTo) {
    take(&info.printerName);
    take(&info.driverName);
    take(&info.portName);
  }

  // The strongest request wins, the way a later switch would override an
  // earlier one on a real desktop command line.
  if (unregister) {
    info.shell = CommandLineInfo::Shell::kAppUnregister;
  } else if (dde) {
    info.shell = CommandLineInfo::Shell::kFileDde;
  } else if (printTo) {
    info.shell = CommandLineInfo::Shell::kFilePrintTo;
  } else if (print) {
    info.shell = CommandLineInfo::Shell::kFilePrint;
  } else if (!info.fileName.empty()) {
    info.shell = CommandLineInfo::Shell::kFileOpen;
  }
  return info;
}

std::string VersionText() {
  return std::string("tarvex (Tarvex) ") + kVersion + "\n";
}

}  // namespace tarvex::shell
