// The command-line compiler's frame: the main frame's logic with a fault's
// location printed instead of selected.
#ifndef TARVEX_CLI_CONSOLE_FRAME_H_
#define TARVEX_CLI_CONSOLE_FRAME_H_

#include "cli/console_window_system.h"
#include "commands/main_frame_logic.h"

namespace tarvex {

class ConsoleFrame : public MainFrameLogic {
 public:
  explicit ConsoleFrame(ConsoleWindowSystem& ws) : MainFrameLogic(ws), console_(ws) {}

  // Prefixes the fault's message with "FILE:LINE:COLUMN: error: ", COLUMN
  // being where the editor's selection would begin, counted from 1.
  void LocateError(const std::string& text, int line, SelectKind kind) override;

 private:
  ConsoleWindowSystem& console_;
};

}  // namespace tarvex

#endif  // TARVEX_CLI_CONSOLE_FRAME_H_
