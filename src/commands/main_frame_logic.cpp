#include "commands/main_frame_logic.h"

#include "platform/regular_file.h"
#include "platform/window_system.h"

namespace tarvex {

MainFrameLogic::MainFrameLogic(WindowSystem& ws)
    : ws_(ws),
      table_(&GlobalKeywordTable()),
      clock_(CurrentUtcTime),
      readSource_(
          [](const std::string& path, FileText* text) { return ReadRegularFile(path, text); }) {}

void MainFrameLogic::ShowFrameMessage(int id, std::initializer_list<MessageArg> args) {
  ws_.FrameMessageBox(id, FormatMessage(id, args));
}

}  // namespace tarvex
