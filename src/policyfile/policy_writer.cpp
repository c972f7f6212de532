// Compiling a checked policy source into its policy binary file.
#include <string>
#include <string_view>

#include "commands/main_frame_logic.h"
#include "platform/file_ops.h"
#include "platform/regular_file.h"
#include "platform/resource_ids.h"
#include "policyfile/policy_body.h"

namespace tarvex {

bool MainFrameLogic::WritePolicyBinary() {
  FileText source;
  if (!readSource_(m_sourcePath, &source)) {
    ShowFrameMessage(IDS_ERROR_READING_FILE, {m_sourcePath});
    return false;
  }
  return WritePolicyBinaryFrom(source.view());
}

bool MainFrameLogic::WritePolicyBinaryFrom(std::string_view source) {
  const SystemTime started = clock_();
  // The new file is written beside the old one and replaces it only when
  // complete, so a failure never leaves a damaged policy.bin behind.
  ReplacementFile output;
  if (!output.Open(m_binaryPath)) {
    ShowFrameMessage(IDS_ERROR_WRITING_FILE, {m_binaryPath});
    return false;
  }
  return FinishPolicyBinary(output, WritePolicyBody(source, started, output));
}

bool MainFrameLogic::FinishPolicyBinary(ReplacementFile& output, const PolicyBodyOutcome& body) {
  using Result = PolicyBodyOutcome::Result;
  if (body.result == Result::kKeyFileUnread) {
    output.Abandon();
    ShowFrameMessage(IDS_ERROR_READING_FILE, {body.keyFile});
    return false;
  }
  if (body.result != Result::kWritten || !output.Commit()) {
    output.Abandon();
    ShowFrameMessage(IDS_ERROR_WRITING_FILE, {m_binaryPath});
    return false;
  }
  ShowFrameMessage(IDS_GENERATED_SUCCESSFULLY, {m_binaryPath});
  return true;
}

}  // namespace tarvex
