#include <gtest/gtest.h>

#include "keywords/blanks.h"
#include "keywords/line_reader.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {
using testing::TempDir;

std::vector<std::string> Pieces(const std::string& bytes, ReadMode mode) {
  TempDir dir;
  LineReader reader;
  EXPECT_TRUE(reader.Open(dir.Write("f", bytes), mode));
  std::vector<std::string> out;
  std::string piece;
  while (reader.ReadPiece(&piece)) out.push_back(piece);
  return out;
}

using V = std::vector<std::string>;

TEST(LineReader, TextModeReadsCrLfAsLineFeedAndKeepsLoneCr) {
  EXPECT_EQ(Pieces("a\r\nb\nc\rd\r\n\r\n", ReadMode::kText), (V{"a\n", "b\n", "c\rd\n", "\n"}));
  EXPECT_EQ(Pieces("a\r\nb", ReadMode::kBinary), (V{"a\r\n", "b"}));
  EXPECT_EQ(Pieces("x\r", ReadMode::kText), (V{"x\r"}));
  EXPECT_EQ(Pieces("", ReadMode::kText), V{});
}

TEST(LineReader, CutsPiecesAt1023Characters) {
  const std::string a1023(1023, 'a');
  EXPECT_EQ(Pieces(a1023 + "\r\n", ReadMode::kText), (V{a1023, "\n"}));
  EXPECT_EQ(Pieces(std::string(1022, 'a') + "\r\n", ReadMode::kText),
            (V{std::string(1022, 'a') + "\n"}));
  // In binary mode the CR counts: 2,500 bytes and CR LF give 1023, 1023, 454 + CR LF.
  const V pieces = Pieces(std::string(2500, 'b') + "\r\n", ReadMode::kBinary);
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].size(), 1023u);
  EXPECT_EQ(pieces[1].size(), 1023u);
  EXPECT_EQ(pieces[2], std::string(454, 'b') + "\r\n");
  // A CR LF pair split by the piece limit is still one line feed in text mode.
  EXPECT_EQ(Pieces(std::string(1022, 'c') + "\r\nz", ReadMode::kText),
            (V{std::string(1022, 'c') + "\n", "z"}));
}

TEST(LineReader, OnlyBytesBeforeAZeroByteCount) {
  EXPECT_EQ(Pieces(std::string("ab\0cd\nef\n", 9), ReadMode::kText), (V{"ab", "ef\n"}));
  EXPECT_EQ(Pieces(std::string("\0\n", 2), ReadMode::kBinary), (V{""}));
}

TEST(LineReader, RefusesMissingFilesAndFolders) {
  TempDir dir;
  LineReader reader;
  EXPECT_FALSE(reader.Open(dir.Path("absent"), ReadMode::kText));
  EXPECT_FALSE(reader.Open(dir.path().string(), ReadMode::kText));
  std::string piece = "left";
  EXPECT_FALSE(reader.ReadPiece(&piece));
}

TEST(Blanks, StripOnlyTheFourBlankCharacters) {
  EXPECT_EQ(StripLeadingBlanks(" \t\r\n x y \n"), "x y \n");
  EXPECT_EQ(StripBlanks(" \t x y \r\n"), "x y");
  EXPECT_EQ(StripBlanks(" \t\r\n"), "");
  EXPECT_EQ(StripLeadingBlanks(""), "");
  EXPECT_EQ(StripBlanks("\vx\f"), "\vx\f");  // vertical tab and form feed are text
}

}  // namespace
}  // namespace tarvex
