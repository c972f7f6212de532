// Pieces cut from text in memory must be exactly those a LineReader gives
// for the same bytes in a file, in both modes: Generate's check and writer,
// and the keyword loader, read that way.
#include "keywords/line_pieces.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "keywords/line_reader.h"
#include "platform/regular_file.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {
using testing::TempDir;

std::vector<std::string> FromFile(const std::string& path, ReadMode mode) {
  LineReader reader;
  EXPECT_TRUE(reader.Open(path, mode));
  std::vector<std::string> pieces;
  std::string piece;
  while (reader.ReadPiece(&piece)) pieces.push_back(piece);
  return pieces;
}

std::vector<std::string> FromMemory(std::string_view text, ReadMode mode) {
  TextPieceSource source(text, mode);
  std::vector<std::string> pieces;
  SourcePiece piece;
  while (source.Next(&piece))
    pieces.push_back(std::string(piece.text) + (piece.lineEnd ? "\n" : ""));
  return pieces;
}

std::string Run(std::size_t n, char c = 'a') {
  return std::string(n, c);
}

struct Case {
  const char* name;
  std::string bytes;
};

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"empty", ""},
      {"CR LF lines", "a = 1\r\nb = 2\r\n"},
      {"lone CR and no last line feed", "a\rb\nc\r"},
      {"zero byte then more of the line", std::string("ab\0cd\nef\n", 9)},
      {"zero byte in a long line", std::string("x\0", 2) + Run(1500) + "\n"},
      {"1023 characters and a line feed", Run(1023) + "\n" + "next\n"},
      {"1022 characters and CR LF", Run(1022) + "\r\n" + "next\n"},
      {"1023 characters and CR LF", Run(1023) + "\r\n" + "next\n"},
      {"CR LF across the piece end", Run(1021) + "\r\r\n"},
      {"a line of 3000", Run(3000) + "\r\n"},
      {"blank lines", "\n\r\n\n  \t\n"},
  };
  return cases;
}

TEST(TextPieceSource, CutsWhatALineReaderReadsInBothModes) {
  TempDir dir;
  for (const Case& c : Cases()) {
    const std::string path = dir.Path("piece.txt");
    std::ofstream(path, std::ios::binary) << c.bytes;
    for (ReadMode mode : {ReadMode::kText, ReadMode::kBinary}) {
      EXPECT_EQ(FromMemory(c.bytes, mode), FromFile(path, mode))
          << c.name << (mode == ReadMode::kText ? " (text)" : " (binary)");
    }
  }
}

TEST(ReadRegularFile, ReadsEveryByteOfSmallAndLargeFiles) {
  TempDir dir;
  std::string large;
  for (int i = 0; large.size() < 300 * 1024; ++i) large += "line " + std::to_string(i) + "\r\n";
  const std::string contents[] = {"", "x", std::string("a\0b", 3), large};
  for (const std::string& bytes : contents) {
    const std::string path = dir.Path("whole.bin");
    std::ofstream(path, std::ios::binary) << bytes;
    std::string read = "old contents";
    ASSERT_TRUE(ReadRegularFile(path, &read));
    EXPECT_EQ(read, bytes) << bytes.size() << " bytes";
  }
  std::string read = "old contents";
  EXPECT_FALSE(ReadRegularFile(dir.Path("missing.bin"), &read));
  EXPECT_TRUE(read.empty());
}

}  // namespace
}  // namespace tarvex
