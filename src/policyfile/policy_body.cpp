#include "policyfile/policy_body.h"

#include <bit>
#include <string>

#include "cipher/line_cipher.h"
#include "keywords/byte_search.h"
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

// Where the lines from `from` on stop passing unchanged, looking at about
// `limit` bytes at most: a line passes when it ends in CR LF within one
// piece (1023 bytes), holds no zero byte and is not the key-file line.
// The line feeds are found sixty-four bytes at a time; a 16 MB source is
// almost all such lines, and looking for each line's end on its own cost
// more than enciphering it.
std::size_t UnchangedLinesEnd(std::string_view source, std::size_t from, std::size_t limit) {
  const char* text = source.data();
  std::size_t lineStart = from;
  for (std::size_t block = from; block + 64 <= source.size(); block += 64) {
    uint64_t zeros;
    uint64_t feeds = MatchSixtyFour(text + block, '\n', '\0', &zeros);
    for (; feeds != 0; feeds &= feeds - 1) {
      const std::size_t lineFeed = block + static_cast<std::size_t>(std::countr_zero(feeds));
      // A zero byte before this line feed falls in this line.
      if ((zeros & ((feeds & -feeds) - 1)) != 0) return lineStart;
      if (lineFeed + 1 - lineStart > kMaxPieceLength) return lineStart;
      if (lineFeed == lineStart || text[lineFeed - 1] != '\r') return lineStart;
      const std::string_view line = source.substr(lineStart, lineFeed + 1 - lineStart);
      if (MayBeKeyFileLine(line) && FindKeyFileLine(line) != 0) return lineStart;
      lineStart = lineFeed + 1;
      if (lineStart - from >= limit) return lineStart;
    }
    // Zero bytes after the last line feed belong to the next line.
    if (zeros != 0) return lineStart;
    if (block + 64 - lineStart > kMaxPieceLength) return lineStart;
  }
  return lineStart;
}

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
  auto extendRun = [&](std::size_t at, std::size_t end) {
    if (at != runEnd || runEnd - runStart >= kRunLimit) {
      flushRun();
      if (stopped()) return false;
      runStart = at;
    }
    runEnd = end;
    return true;
  };
  SourcePiece piece;
  for (std::size_t pos = 0; pos < source.size();) {
    if (!anyMarker) {
      const std::size_t end = UnchangedLinesEnd(source, pos, kRunLimit);
      if (end > pos) {
        if (!extendRun(pos, end)) return {Result::kStopped, {}};
        pos = end;
        continue;
      }
    }
    // A line that may change, a piece at a time.
    TextPieceSource pieces(source, ReadMode::kBinary, pos);
    pieces.Next(&piece);
    pos = pieces.position();
    const std::size_t at = static_cast<std::size_t>(piece.text.data() - source.data());
    const std::string_view raw = source.substr(at, piece.text.size() + (piece.lineEnd ? 1 : 0));
    if (anyMarker && FindTimeStampMarker(raw) != std::string_view::npos) continue;
    const std::size_t equals = FindKeyFileLine(raw);
    if (equals == 0 && raw.ends_with(kLineEnd)) {
      if (!extendRun(at, at + raw.size())) return {Result::kStopped, {}};
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
