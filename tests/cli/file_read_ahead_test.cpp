// Reading a source ahead, in pieces on two threads for a large file: the
// bytes are exactly the file's, whatever its size, and a file that changes
// while it is read gives what one read from the start could have given.
#include "cli/file_read_ahead.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>

#include "platform/regular_file.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {

using testing::TempDir;

// Large enough that every file over a few hundred kilobytes is read ahead.
constexpr long long kLargeDictionary = 1 << 20;

std::string RandomBytes(std::size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(rng());
  return s;
}

TEST(FileReadAhead, ReadsEveryByteOfFilesOfEverySize) {
  TempDir dir;
  for (std::size_t size : {0u, 1u, 4095u, 262143u, 262144u, 393215u, 393216u, 1048577u, 3000001u}) {
    const std::string bytes = RandomBytes(size, static_cast<unsigned>(size));
    const std::string path = dir.Write("s.inf", bytes);
    FileReadAhead ahead(path, kLargeDictionary);
    FileText text;
    ASSERT_TRUE(ahead.Read(path, &text)) << size;
    EXPECT_EQ(text.view(), bytes) << size;
    // A second read, or another file, is read afresh.
    FileText again;
    ASSERT_TRUE(ahead.Read(path, &again)) << size;
    EXPECT_EQ(again.view(), bytes) << size;
    ASSERT_TRUE(ReadRegularFile(path, &again)) << size;
    EXPECT_EQ(again.view(), bytes) << size;
  }
  FileReadAhead missing(dir.Path("missing.inf"), kLargeDictionary);
  FileText text;
  EXPECT_FALSE(missing.Read(dir.Path("missing.inf"), &text));
}

TEST(FileReadAhead, WhereAThreadDoesNotPayTheFileIsReadWhenAskedFor) {
  // A file read when asked for gives its bytes of that moment, whatever
  // they were when the read-ahead was set up.
  struct Case {
    std::size_t fileBytes;
    long long dictionaryBytes;
  };
  const Case cases[] = {
      {300000, 3000},     // a large file beside a small dictionary
      {100000, 1 << 20},  // a small file beside a large one
      {300000, -1},       // no dictionary at all
  };
  TempDir dir;
  for (const Case& c : cases) {
    const std::string path = dir.Write("s.inf", RandomBytes(c.fileBytes, 3));
    FileReadAhead ahead(path, c.dictionaryBytes);
    const std::string now = RandomBytes(c.fileBytes + 7, 4);
    dir.Write("s.inf", now);
    FileText text;
    ASSERT_TRUE(ahead.Read(path, &text)) << c.fileBytes;
    EXPECT_EQ(text.view(), now) << c.fileBytes << " " << c.dictionaryBytes;
  }
}

TEST(FileReadAhead, AFileThatChangesWhileReadGivesAPrefixOfOneOfItsStates) {
  TempDir dir;
  const std::string original = RandomBytes(2000000, 1);
  const std::string more = RandomBytes(500000, 2);
  {
    const std::string path = dir.Write("grows.inf", original);
    FileReadAhead ahead(path, kLargeDictionary);
    std::ofstream(path, std::ios::binary | std::ios::app) << more;
    FileText text;
    ASSERT_TRUE(ahead.Read(path, &text));
    const std::string grown = original + more;
    EXPECT_GE(text.size(), original.size());
    EXPECT_EQ(text.view(), std::string_view(grown).substr(0, text.size()));
  }
  {
    const std::string path = dir.Write("shrinks.inf", original);
    FileReadAhead ahead(path, kLargeDictionary);
    std::ofstream(path, std::ios::binary) << original.substr(0, 300000);
    FileText text;
    ASSERT_TRUE(ahead.Read(path, &text));
    EXPECT_EQ(text.view(), std::string_view(original).substr(0, text.size()));
  }
}

}  // namespace
}  // namespace tarvex
