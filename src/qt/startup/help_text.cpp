#include "qt/startup/help_text.h"

namespace tarvex::qt {

std::string HelpText() {
  return "Usage: tarvex [FILE]\n"
         "       tarvex -p FILE\n"
         "       tarvex -pt FILE PRINTER DRIVER PORT\n"
         "       tarvex -Unregister\n"
         "\n"
         "Edit Tarvex policy sources (.inf) and compile them into policy.bin (Action,\n"
         "Generate). Opens FILE, or a new document named Untitled.\n"
         "\n"
         "Switches (\"/\" may stand for \"-\"):\n"
         "  -p FILE          print FILE on the default printer, without a window\n"
         "  -pt FILE PRINTER DRIVER PORT\n"
         "                   print FILE on the named printer, without a window\n"
         "  -Unregister      remove this user's desktop registration and settings\n"
         "                   (also -Unregserver)\n"
         "  -Embedding       serve a policy source embedded in another program's\n"
         "                   document; containers start it (also -Automation)\n"
         "      --help       show this help and exit\n"
         "      --version    show the version and exit\n"
         "\n"
         "The keyword dictionary is keyword.txt in the current directory; without it\n"
         "the editor does not start. Every start registers Tarvex as the program for\n"
         "policy sources under $XDG_DATA_HOME (default ~/.local/share).\n"
         "Without a graphical session tarvex says so and exits: use tarvexc there.\n"
         "Exit status: 0 on success, 1 when the editor could not start, open or print\n"
         "FILE, or remove the registration.\n";
}

}  // namespace tarvex::qt
