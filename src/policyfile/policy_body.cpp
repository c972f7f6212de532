#include "policyfile/policy_body.h"

#include <string>

#include "cipher/line_cipher.h"
#include "keywords/line_pieces.h"
#include "policyfile/block_encipherer.h"
#include "policyfile/key_file.h"
#include "policyfile/marker_search.h"
#include "policyfile/policy_format.h"

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

PolicyBodyOutcome WritePolicyBody(std::string_view source, const SystemTime& started, ByteSink& out,
                                  const std::atomic<bool>* stop) {
  using Result = PolicyBodyOutcome::Result;
  LineCipher cipher;
  WipeOnExit wipe{cipher};
  BlockEncipherer body(cipher, out);
  bool written = true;
  auto stopped = [stop] { return stop != nullptr && stop->load(std::memory_order_relaxed); };
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
  const bool anyMarker = FindTimeStampMarker(source) != std::string_view::npos;
  TextPieceSource pieces(source, ReadMode::kBinary);
  SourcePiece piece;
  while (pieces.Next(&piece)) {
    const std::size_t at = static_cast<std::size_t>(piece.text.data() - source.data());
    const std::string_view raw = source.substr(at, piece.text.size() + (piece.lineEnd ? 1 : 0));
    if (anyMarker && FindTimeStampMarker(raw) != std::string_view::npos) continue;
    const std::size_t equals = FindKeyFileLine(raw);
    if (equals == 0 && raw.ends_with(kLineEnd)) {
      if (at != runEnd || runEnd - runStart >= kRunLimit) {
        flushRun();
        if (stopped()) return {Result::kStopped, {}};
        runStart = at;
      }
      runEnd = at + raw.size();
      continue;
    }
    flushRun();
    std::string line(raw);
    if (equals != 0) {
      std::string rawName = line.substr(equals + 1);
      if (EmbedKeyFile(&line, equals) == 0) return {Result::kKeyFileUnread, std::move(rawName)};
    }
    if (line.find(kLineEnd) == std::string::npos) line += kLineEnd;
    written = body.Add(line) && written;
  }
  flushRun();
  written = body.Add(TimeStampLine(started)) && written;
  written = body.Flush() && written;
  return {written ? Result::kWritten : Result::kWriteFailed, {}};
}

}  // namespace tarvex
