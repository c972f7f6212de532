#include "policyfile/policy_reader.h"

#include "cipher/line_cipher_reader.h"
#include "commands/main_frame_logic.h"
#include "platform/file_ops.h"
#include "platform/resource_ids.h"
#include "platform/window_system.h"
#include "policyfile/marker_search.h"
#include "policyfile/policy_format.h"

namespace tarvex {

bool ProbePolicyBinary(const std::string& path, std::string_view text) {
  LineCipherReader reader;
  if (!reader.OpenBinary(path)) return false;
  std::string line;
  while (reader.ReadLine(&line)) {
    if (line.find(text) != std::string::npos) return true;
    line.clear();
  }
  return false;
}

ConvertOutcome ConvertPolicyStream(const std::string& binaryPath, const std::string& sourcePath,
                                   bool requireMarker) {
  constexpr std::size_t kWriteBlock = 256 * 1024;
  LineCipherReader reader;
  if (!reader.OpenBinary(binaryPath)) return ConvertOutcome::kUnreadable;
  // The new source goes to a temporary file that only becomes the source
  // at the end, so nothing shows before the marker has been seen.
  ReplacementFile output;
  const bool canWrite = output.Open(sourcePath);
  if (!canWrite && !requireMarker) return ConvertOutcome::kWriteFailed;
  bool seen = false;
  bool written = canWrite;
  std::string pending, line;
  while (reader.ReadLine(&line)) {
    if (FindTimeStampMarker(line) != std::string_view::npos) {
      seen = true;
      // Unwritable anyway: whether the file was a policy binary is now known.
      if (!canWrite) break;
    } else if (canWrite) {
      pending.append(line, 0, line.find('\0'));
      if (pending.size() >= kWriteBlock) {
        written = output.Write(pending) && written;
        pending.clear();
      }
    }
    line.clear();
  }
  reader.Close();
  if (requireMarker && !seen) return ConvertOutcome::kNotRecognised;  // output abandons itself
  if (!canWrite) return ConvertOutcome::kWriteFailed;
  written = output.Write(pending) && written;
  if (!written || !output.Commit()) return ConvertOutcome::kWriteFailed;
  return ConvertOutcome::kConverted;
}

bool MainFrameLogic::ConvertPolicyBinary() {
  switch (ConvertPolicyStream(m_binaryPath, m_sourcePath, /*requireMarker=*/false)) {
    case ConvertOutcome::kUnreadable:
    case ConvertOutcome::kNotRecognised:
      ShowFrameMessage(IDS_ERROR_READING_FILE, {m_binaryPath});
      return false;
    case ConvertOutcome::kWriteFailed:
      ShowFrameMessage(IDS_ERROR_WRITING_FILE, {m_sourcePath});
      return false;
    case ConvertOutcome::kConverted:
      break;
  }
  if (!m_fromDrop) {
    ws_.OpenDocument(m_sourcePath);
    ShowFrameMessage(IDS_GENERATED_SUCCESSFULLY, {m_sourcePath});
  }
  return true;
}

bool MainFrameLogic::RecogniseAndConvert(const std::string& sourcePath) {
  const ConvertOutcome outcome = ConvertPolicyStream(m_binaryPath, sourcePath, true);
  if (outcome == ConvertOutcome::kUnreadable || outcome == ConvertOutcome::kNotRecognised) {
    ShowFrameMessage(IDS_NOT_VALID_FILE);
    return false;
  }
  m_sourcePath = sourcePath;
  if (outcome == ConvertOutcome::kWriteFailed) {
    ShowFrameMessage(IDS_ERROR_WRITING_FILE, {m_sourcePath});
    return false;
  }
  if (!m_fromDrop) {
    ws_.OpenDocument(m_sourcePath);
    ShowFrameMessage(IDS_GENERATED_SUCCESSFULLY, {m_sourcePath});
  }
  return true;
}

}  // namespace tarvex
