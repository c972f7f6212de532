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
  LineCipherReader reader;
  if (!reader.OpenBinary(binaryPath)) return ConvertOutcome::kUnreadable;
  // The new source goes to a temporary file that only becomes the source
  // at the end, so nothing shows before the marker has been seen.
  ReplacementFile output;
  const bool canWrite = output.Open(sourcePath);
  if (!canWrite && !requireMarker) return ConvertOutcome::kWriteFailed;
  bool seen = false;
  bool written = canWrite;
  // One whole line: left out when it holds the marker, else written up to
  // its first zero byte. False once the rest need not be read.
  auto takeLine = [&](std::string_view line) {
    if (FindTimeStampMarker(line) != std::string_view::npos) {
      seen = true;
      // Unwritable anyway: whether the file was a policy binary is now known.
      return canWrite;
    }
    if (canWrite) written = output.Write(line.substr(0, line.find('\0'))) && written;
    return true;
  };
  // The lines are taken a deciphered block at a time: the whole lines of a
  // block without the marker or a zero byte, as almost all are, go out in
  // one write. A line that runs on into the next block waits in `begun`.
  std::string begun;
  std::string_view block;
  bool reading = true;
  while (reading && reader.ReadBlock(&block)) {
    std::size_t pos = 0;
    if (!begun.empty()) {
      const std::size_t lineFeed = block.find('\n');
      if (lineFeed == std::string_view::npos) {
        begun.append(block);
        continue;
      }
      begun.append(block, 0, lineFeed + 1);
      reading = takeLine(begun);
      begun.clear();
      pos = lineFeed + 1;
    }
    const std::size_t lastLineFeed = block.rfind('\n');
    if (reading && lastLineFeed != std::string_view::npos && lastLineFeed >= pos) {
      const std::string_view lines = block.substr(pos, lastLineFeed + 1 - pos);
      if (FindTimeStampMarker(lines) == std::string_view::npos &&
          lines.find('\0') == std::string_view::npos) {
        if (canWrite) written = output.Write(lines) && written;
      } else {
        for (std::size_t at = 0; reading && at < lines.size();) {
          const std::size_t end = lines.find('\n', at) + 1;
          reading = takeLine(lines.substr(at, end - at));
          at = end;
        }
      }
      pos = lastLineFeed + 1;
    }
    begun.append(block, pos);  // a last fragment without a line feed is left out
  }
  reader.Close();
  if (requireMarker && !seen) return ConvertOutcome::kNotRecognised;  // output abandons itself
  if (!canWrite) return ConvertOutcome::kWriteFailed;
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
