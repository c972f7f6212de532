// The check pass of Generate over a saved policy source.
#include "checker/fault_table.h"
#include "checker/source_scan.h"
#include "checker/text_scan.h"
#include "commands/main_frame_logic.h"
#include "keywords/line_pieces.h"
#include "platform/regular_file.h"
#include "platform/resource_ids.h"
#include "platform/window_system.h"

namespace tarvex {
namespace {

// Keeps the first fault and ends the scan there.
class FirstFault : public ScanFaultSink {
 public:
  bool OnFault(ScanFault fault) override {
    fault_ = std::move(fault);
    return false;
  }
  const ScanFault& fault() const { return fault_; }

 private:
  ScanFault fault_;
};

}  // namespace

bool MainFrameLogic::CheckSource() {
  // The file is read whole and closed before the scan: scanning text in
  // memory needs no copy of its lines.
  FileText source;
  if (!readSource_(m_sourcePath, &source)) {
    // Stopping Generate without a word would leave the user guessing.
    ShowFrameMessage(IDS_ERROR_READING_FILE, {m_sourcePath});
    return false;
  }
  return CheckSourceText(source.view());
}

bool MainFrameLogic::CheckSourceText(std::string_view source,
                                     const std::function<void()>& beforeReport) {
  FirstFault first;
  const ScanOutcome outcome = ScanSourceText(source, keywordTable(), first);

  if ((outcome.stopped || !outcome.contentSeen) && beforeReport) beforeReport();
  // The fault report: file closed first, then the selection, then one message.
  if (outcome.stopped) {
    const ScanFault& f = first.fault();
    LocateError(f.selectText, f.line, f.kind);
    ws_.FrameMessageBox(f.messageId, WithUnableToGenerate(f.message));
    return false;
  }
  if (!outcome.contentSeen) {
    ShowFrameMessage(IDS_NO_KEYWORDS);
    return false;
  }
  return true;
}

}  // namespace tarvex
