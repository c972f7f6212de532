// The faults of the text being typed, as both editors show them: found
// afresh after a pause in typing, underlined where Generate would select,
// counted in the status bar, and visited in order with F8 and Shift+F8.
// Generate itself is untouched: this only reads the text.
#ifndef TARVEX_SHELL_FAULT_LIST_H_
#define TARVEX_SHELL_FAULT_LIST_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "checker/all_faults.h"
#include "keywords/keyword_table.h"
#include "shell/text_search.h"

namespace tarvex::shell {

class FaultList {
 public:
  // How long typing must pause before the text is checked again.
  static constexpr int kPauseMs = 400;

  // Finds every fault of `text` afresh, remembering the text.
  void Check(std::string_view text, const KeywordTable& table);
  // Forgets the faults (the check was turned off).
  void Clear();

  const std::vector<SourceFault>& faults() const { return faults_; }
  std::size_t textLength() const { return textLength_; }

  // The underlined range of a fault: Generate's selection, or its first
  // character when Generate would select nothing there. Empty for a fault
  // that selects nothing (a blank source).
  TextRange Underline(const SourceFault& fault) const;

  // The first fault that starts after (NextAfter) or before
  // (PreviousBefore) `caret`, going round at the end; -1 when there is none.
  int NextAfter(std::size_t caret) const;
  int PreviousBefore(std::size_t caret) const;

  // The whole message of the fault underlined at `position`, or empty.
  std::string MessageAt(std::size_t position) const;

  // "No faults", "1 fault", "N faults".
  std::string CountText() const;

  // What going to fault `index` reads out: "Fault 2 of 5: " and the first
  // line of its message. Empty for an index out of range.
  std::string VisitText(int index) const;

 private:
  std::vector<SourceFault> faults_;
  std::size_t textLength_ = 0;
};

}  // namespace tarvex::shell

#endif  // TARVEX_SHELL_FAULT_LIST_H_
