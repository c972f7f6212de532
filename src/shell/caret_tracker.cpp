#include "shell/caret_tracker.h"

#include "platform/message_format.h"

namespace tarvex::shell {

std::int32_t CaretTracker::Update(std::int32_t start, std::int32_t end) {
  std::int32_t caret;
  if (start == prevStart) {
    if (end != prevEnd) caretAtEnd = true;  // only the end moved
    caret = caretAtEnd ? end : start;
  } else if (end == prevEnd || end == prevStart) {
    caretAtEnd = false;  // the start moved away from a fixed end
    caret = start;
  } else {
    caretAtEnd = true;
    caret = end;
  }
  prevStart = start;
  prevEnd = end;
  return caret;
}

std::string LineColumnText(long line, long column) {
  return FormatText("Ln %d, Col %d", {static_cast<int>(line), static_cast<int>(column)});
}

}  // namespace tarvex::shell
