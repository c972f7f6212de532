#include "cli/console_window_system.h"

#include <fstream>
#include <iterator>

#include "platform/resource_ids.h"

namespace tarvex {

void ConsoleWindowSystem::Print(int id, const std::string& text) {
  const bool success = id == IDS_GENERATED_SUCCESSFULLY;
  std::ostream& stream = success ? out_ : err_;
  if (!success) printedFault_ = true;
  stream << pendingLocation_ << text << '\n';
  stream.flush();
  pendingLocation_.clear();
}

void ConsoleWindowSystem::FrameMessageBox(int id, const std::string& text) {
  Print(id, text);
}

void ConsoleWindowSystem::AppMessageBox(int id, const std::string& text) {
  Print(id, text);
}

std::string ConsoleWindowSystem::ViewText() {
  std::ifstream in(documentPath_, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace tarvex
