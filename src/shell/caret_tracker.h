// Which end of the selection the caret is on, judged from how the
// selection changed since the last look.
//
// The line and column indicator is fed only the selection's two ends, so it
// keeps the previous pair: when only the end moved the caret is at the end,
// when the start moved away from a fixed end it is at the start.
#ifndef TARVEX_SHELL_CARET_TRACKER_H_
#define TARVEX_SHELL_CARET_TRACKER_H_

#include <cstdint>
#include <string>

namespace tarvex::shell {

struct CaretTracker {
  std::int32_t prevStart = -1;  // selection start seen at the previous update
  std::int32_t prevEnd = -1;    // selection end seen at the previous update
  bool caretAtEnd = true;       // the caret was judged to be at the end then

  // The caret's offset for the selection [start, end] (start <= end), and
  // the pair remembered for the next update.
  std::int32_t Update(std::int32_t start, std::int32_t end);
};

// The line and column indicator's text for a caret on `line` at `column`
// (both from 1): "Ln %d, Col %d".
std::string LineColumnText(long line, long column);

}  // namespace tarvex::shell

#endif  // TARVEX_SHELL_CARET_TRACKER_H_
