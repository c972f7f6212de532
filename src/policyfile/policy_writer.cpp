// Compiling a checked policy source into its policy binary file.
#include <string>

#include "cipher/line_cipher.h"
#include "commands/main_frame_logic.h"
#include "keywords/line_reader.h"
#include "platform/file_ops.h"
#include "platform/resource_ids.h"
#include "policyfile/block_encipherer.h"
#include "policyfile/key_file.h"
#include "policyfile/policy_format.h"
#include "policyfile/time_stamp.h"

namespace tarvex {
namespace {

// Wipes the cipher on every way out of the writer.
struct WipeOnExit {
  LineCipher& cipher;
  ~WipeOnExit() { cipher.Wipe(); }
};

}  // namespace

bool MainFrameLogic::WritePolicyBinary() {
  LineCipher cipher;
  WipeOnExit wipe{cipher};
  const SystemTime started = clock_();

  LineReader source;
  if (!source.Open(m_sourcePath, ReadMode::kBinary)) {
    ShowFrameMessage(IDS_ERROR_READING_FILE, {m_sourcePath});
    return false;
  }
  // The new file is written beside the old one and replaces it only when
  // complete, so a failure never leaves a damaged policy.bin behind.
  ReplacementFile output;
  if (!output.Open(m_binaryPath)) {
    source.Close();
    ShowFrameMessage(IDS_ERROR_WRITING_FILE, {m_binaryPath});
    return false;
  }

  BlockEncipherer body(cipher, output);
  bool written = true;
  std::string line;
  while (source.ReadPiece(&line)) {
    if (line.find(kTimeStampMarker) != std::string::npos) continue;
    if (const std::size_t equals = FindKeyFileLine(line); equals != 0) {
      const std::string rawName = line.substr(equals + 1);
      if (EmbedKeyFile(&line, equals) == 0) {
        source.Close();
        output.Abandon();
        ShowFrameMessage(IDS_ERROR_READING_FILE, {rawName});
        return false;
      }
    }
    if (line.find(kLineEnd) == std::string::npos) line += kLineEnd;
    written = body.Add(line) && written;
  }
  source.Close();
  written = body.Add(TimeStampLine(started)) && written;
  written = body.Flush() && written;

  if (!written || !output.Commit()) {
    output.Abandon();
    ShowFrameMessage(IDS_ERROR_WRITING_FILE, {m_binaryPath});
    return false;
  }
  ShowFrameMessage(IDS_GENERATED_SUCCESSFULLY, {m_binaryPath});
  return true;
}

}  // namespace tarvex
