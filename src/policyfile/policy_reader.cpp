#include "policyfile/policy_reader.h"

#include "cipher/line_cipher_reader.h"
#include "commands/main_frame_logic.h"
#include "platform/file_ops.h"
#include "platform/resource_ids.h"
#include "platform/window_system.h"
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

bool DecipherPolicySource(const std::string& path, std::string* source) {
  LineCipherReader reader;
  if (!reader.OpenBinary(path)) return false;
  source->clear();
  std::string line;
  while (reader.ReadLine(&line)) {
    if (line.find(kTimeStampMarker) == std::string::npos) {
      source->append(line, 0, line.find('\0'));
    }
    line.clear();
  }
  return true;
}

bool MainFrameLogic::ConvertPolicyBinary() {
  // Read first, write second: an unreadable binary must not cost the user
  // the source that stands at the target.
  std::string source;
  if (!DecipherPolicySource(m_binaryPath, &source)) {
    ShowFrameMessage(IDS_ERROR_READING_FILE, {m_binaryPath});
    return false;
  }
  ReplacementFile output;
  if (!output.Open(m_sourcePath) || !output.Write(source) || !output.Commit()) {
    output.Abandon();
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
