#include "shell/fault_list.h"

namespace tarvex::shell {

void FaultList::Check(std::string_view text, const KeywordTable& table) {
  faults_ = CheckText(text, table);
  textLength_ = text.size();
}

void FaultList::Clear() {
  faults_.clear();
  textLength_ = 0;
}

TextRange FaultList::Underline(const SourceFault& fault) const {
  if (!fault.selects) return {0, 0};
  TextRange range{fault.selection.start, fault.selection.end};
  if (range.end == range.start && range.end < textLength_) ++range.end;
  return range;
}

int FaultList::NextAfter(std::size_t caret) const {
  const int n = static_cast<int>(faults_.size());
  if (n == 0) return -1;
  for (int i = 0; i < n; ++i) {
    if (faults_[i].selection.start > caret) return i;
  }
  return 0;
}

int FaultList::PreviousBefore(std::size_t caret) const {
  const int n = static_cast<int>(faults_.size());
  if (n == 0) return -1;
  for (int i = n - 1; i >= 0; --i) {
    if (faults_[i].selection.start < caret) return i;
  }
  return n - 1;
}

std::string FaultList::MessageAt(std::size_t position) const {
  for (const SourceFault& fault : faults_) {
    const TextRange range = Underline(fault);
    if (position >= range.start && position < range.end) return fault.message;
  }
  return {};
}

std::string FaultList::CountText() const {
  const std::size_t n = faults_.size();
  if (n == 0) return "No faults";
  return n == 1 ? "1 fault" : std::to_string(n) + " faults";
}

std::string FaultList::VisitText(int index) const {
  if (index < 0 || index >= static_cast<int>(faults_.size())) return {};
  const std::string& message = faults_[static_cast<std::size_t>(index)].message;
  return "Fault " + std::to_string(index + 1) + " of " + std::to_string(faults_.size()) + ": " +
         message.substr(0, message.find('\n'));
}

}  // namespace tarvex::shell
