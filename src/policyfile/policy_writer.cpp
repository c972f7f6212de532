// Compiling a checked policy source into its policy binary file.
#include <algorithm>
#include <functional>
#include <string>
#include <string_view>

#include "cipher/line_cipher.h"
#include "commands/main_frame_logic.h"
#include "keywords/line_pieces.h"
#include "keywords/line_reader.h"
#include "platform/file_ops.h"
#include "platform/regular_file.h"
#include "platform/resource_ids.h"
#include "policyfile/block_encipherer.h"
#include "policyfile/key_file.h"
#include "policyfile/policy_format.h"
#include "policyfile/time_stamp.h"

namespace tarvex {
namespace {

// A run of unchanged lines is handed on at about the cipher's block size,
// so that the plain text waiting for it stays small.
constexpr std::size_t kRunLimit = 256 * 1024;

// Wipes the cipher on every way out of the writer.
struct WipeOnExit {
  LineCipher& cipher;
  ~WipeOnExit() { cipher.Wipe(); }
};

}  // namespace

bool MainFrameLogic::WritePolicyBinary() {
  std::string source;
  if (!ReadRegularFile(m_sourcePath, &source)) {
    ShowFrameMessage(IDS_ERROR_READING_FILE, {m_sourcePath});
    return false;
  }
  return WritePolicyBinaryFrom(source);
}

bool MainFrameLogic::WritePolicyBinaryFrom(std::string_view source) {
  LineCipher cipher;
  WipeOnExit wipe{cipher};
  const SystemTime started = clock_();

  // The new file is written beside the old one and replaces it only when
  // complete, so a failure never leaves a damaged policy.bin behind.
  ReplacementFile output;
  if (!output.Open(m_binaryPath)) {
    ShowFrameMessage(IDS_ERROR_WRITING_FILE, {m_binaryPath});
    return false;
  }

  BlockEncipherer body(cipher, output);
  bool written = true;
  // Lines that pass unchanged (no time stamp, no key file, their own CR LF)
  // and lie next to each other in the source go to the cipher as one run:
  // a 16 MB source is mostly such lines, and a call per line cost more
  // than enciphering them.
  std::size_t runStart = 0;
  std::size_t runEnd = 0;
  auto flushRun = [&] {
    if (runEnd > runStart)
      written = body.Add(source.substr(runStart, runEnd - runStart)) && written;
    runStart = runEnd = 0;
  };
  // One search of the whole source spares a search of every line when no
  // line holds the marker, as is usual.
  const std::string_view marker = kTimeStampMarker;
  const bool anyMarker =
      std::search(source.begin(), source.end(),
                  std::boyer_moore_horspool_searcher(marker.begin(), marker.end())) != source.end();
  TextPieceSource pieces(source, ReadMode::kBinary);
  SourcePiece piece;
  while (pieces.Next(&piece)) {
    const std::size_t at = static_cast<std::size_t>(piece.text.data() - source.data());
    const std::string_view raw = source.substr(at, piece.text.size() + (piece.lineEnd ? 1 : 0));
    if (anyMarker && raw.find(marker) != std::string_view::npos) continue;
    const std::size_t equals = FindKeyFileLine(raw);
    if (equals == 0 && raw.ends_with(kLineEnd)) {
      if (at != runEnd || runEnd - runStart >= kRunLimit) {
        flushRun();
        runStart = at;
      }
      runEnd = at + raw.size();
      continue;
    }
    flushRun();
    std::string line(raw);
    if (equals != 0) {
      const std::string rawName = line.substr(equals + 1);
      if (EmbedKeyFile(&line, equals) == 0) {
        output.Abandon();
        ShowFrameMessage(IDS_ERROR_READING_FILE, {rawName});
        return false;
      }
    }
    if (line.find(kLineEnd) == std::string::npos) line += kLineEnd;
    written = body.Add(line) && written;
  }
  flushRun();
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
