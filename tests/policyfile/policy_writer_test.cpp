#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "commands/main_frame_logic.h"
#include "platform/fake_window_system.h"
#include "policyfile/key_file.h"
#include "policyfile/time_stamp.h"
#include "support/cipher_bytes.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {
using testing::DecipherFile;
using testing::ReadFile;
using testing::TempDir;

// Friday 11 December 2026, 08:05:09 UTC.
const SystemTime kFriday{2026, 12, 5, 11, 8, 5, 9};
const std::string kStamp = "TimeStamp = 202612511080509\r\n";

class WriterTest : public ::testing::Test {
 protected:
  WriterTest() : dir(/*enter=*/true), frame(ws) {
    frame.SetClock([] { return kFriday; });
    frame.m_sourcePath = dir.Path("policy.inf");
    frame.m_binaryPath = dir.Path("policy.bin");
  }
  // Writes `source`, runs the writer, and returns the deciphered output.
  std::string Compile(const std::string& source) {
    dir.Write("policy.inf", source);
    EXPECT_TRUE(frame.WritePolicyBinary());
    EXPECT_EQ(ws.texts(),
              std::vector<std::string>{frame.m_binaryPath + " file is generated successfully."});
    return DecipherFile(frame.m_binaryPath);
  }
  TempDir dir;
  FakeWindowSystem ws;
  MainFrameLogic frame;
};

// The body the format prescribes, piece by piece, from the rules alone.
std::string ModelBody(const std::string& source) {
  std::string body, piece;
  auto finish = [&] {
    piece = piece.substr(0, piece.find('\0'));
    if (piece.find("TimeStamp = ") != std::string::npos) return;
    if (const std::size_t equals = FindKeyFileLine(piece); equals != 0) {
      EXPECT_NE(EmbedKeyFile(&piece, equals), 0u);
    }
    body += piece;
    if (piece.find("\r\n") == std::string::npos) body += "\r\n";
  };
  for (char c : source) {
    piece += c;
    if (c == '\n' || piece.size() == 1023) {
      finish();
      piece.clear();
    }
  }
  if (!piece.empty()) finish();
  return body;
}

TEST_F(WriterTest, LinesThatChangeAmongManyThatDoNotAreWrittenByTheRules) {
  dir.Write("k.key", "\x01\xAB");
  const std::string run = [] {
    std::string s;
    for (int i = 0; i < 40; ++i) s += "Name" + std::to_string(i) + " = some value\r\n";
    return s;
  }();
  const std::string x1020(1020, 'x');
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"lines of 1022 and 1023 bytes", x1020 + "\r\n" + x1020 + "y\r\n"},
      {"a line of 1024 bytes, cut", x1020 + "yz\r\n"},
      {"a CR alone before the cut", x1020 + "yz\r" + "\n"},
      {"a bare line feed", "Name = a\n"},
      {"a zero byte", std::string("Name = a\0b\r\n", 13)},
      {"a zero byte right after a line end", std::string("\r\n\0\0Name = c\r\n", 14)},
      {"the key-file line", "  peerlinkkey = k.key\r\n"},
      {"lines starting with p that are not it", "Port = 1\r\npeer = 2\r\n P=3\r\n"},
      {"a CR at the very start of a line", "\r\n\r\r\n"},
  };
  for (const auto& [name, lines] : cases) {
    // The lines in the middle of unchanged ones, at every offset in a block
    // of sixty-four bytes, and at the end without a line end.
    for (std::size_t shift = 0; shift < 64; shift += 9) {
      const std::string source = std::string(shift, ';') + "\r\n" + run + lines + run + "tail";
      ASSERT_EQ(Compile(source), ModelBody(source) + kStamp) << name << ", shift " << shift;
      ws.boxes.clear();
    }
  }
}

TEST_F(WriterTest, EmptySourceGivesOnlyTheTimeStamp) {
  EXPECT_EQ(Compile(""), kStamp);
}

TEST_F(WriterTest, EveryLineEndsInCrLf) {
  struct Case {
    std::string source, body;
  } cases[] = {
      {"A = 1\r\n", "A = 1\r\n"},
      {"A = 1\n", "A = 1\n\r\n"},
      {"A = 1", "A = 1\r\n"},
      {"\r\n", "\r\n"},
      {"A\rB\r\n", "A\rB\r\n"},
      {"; comment\r\n[Section]\r\n", "; comment\r\n[Section]\r\n"},
      {std::string("A\0B\r\nC\r\n", 8), "A\r\nC\r\n"},
      {"\xE9\xFF\x01\r\n", "\xE9\xFF\x01\r\n"},
  };
  for (const Case& c : cases) {
    ws.boxes.clear();
    EXPECT_EQ(Compile(c.source), c.body + kStamp) << c.source;
  }
}

TEST_F(WriterTest, LongLinesAreWrittenInPieces) {
  const std::string out = Compile(std::string(2500, 'x') + "\r\n");
  const std::string piece(1023, 'x');
  EXPECT_EQ(out, piece + "\r\n" + piece + "\r\n" + std::string(454, 'x') + "\r\n" + kStamp);
}

TEST_F(WriterTest, SourceLinesHoldingTheMarkerAreLeftOut) {
  EXPECT_EQ(Compile("A = 1\r\n; TimeStamp = 1999\r\nTimeStamp = 0\r\nB = 2\r\nTimeStamp=x\r\n"),
            "A = 1\r\nB = 2\r\nTimeStamp=x\r\n" + kStamp);
}

TEST_F(WriterTest, EmbedsTheKeyFileAsUppercaseHex) {
  dir.Write("peer.key", std::string("\x00\xAB\x7F\xFF", 4));
  EXPECT_EQ(Compile("A = 1\r\n  peerLINKkey\t= peer.key  \r\n; PeerLinkKey = peer.key\r\n"),
            "A = 1\r\n  peerLINKkey\t=00AB7FFF\r\n; PeerLinkKey = peer.key\r\n" + kStamp);
  ws.boxes.clear();
  dir.Write("a rather long key file name.key", "Z");
  EXPECT_EQ(Compile("PeerLinkKey = a rather long key file name.key\r\n"),
            "PeerLinkKey =5A\r\n" + kStamp);
  ws.boxes.clear();
  EXPECT_EQ(Compile("PeerLinkKey= a rather long key file name.key"), "PeerLinkKey=5A\r\n" + kStamp);
}

TEST_F(WriterTest, TimeStampIsUtcWithTheDayOfWeekBetweenMonthAndDay) {
  EXPECT_EQ(TimeStampLine({2027, 1, 0, 3, 0, 30, 0}), "TimeStamp = 202701003003000\r\n");
  // 00:30 on 1 January in a zone east of UTC is still the last day of the old year in UTC.
  EXPECT_EQ(TimeStampLine(UtcTimeFromUnixSeconds(1798761600 - 30 * 60)),
            "TimeStamp = 202612431233000\r\n");
}

TEST_F(WriterTest, KeyFileSizeLimits) {
  struct Case {
    std::size_t size;
    bool embedded;
  } cases[] = {{1, true}, {505, true}, {506, false}, {1023, false}, {1024, false}, {0, false}};
  for (const Case& c : cases) {
    std::string line = "PeerLinkKey = key.bin\r\n";
    dir.Write("key.bin", std::string(c.size, '\x5A'));
    ASSERT_EQ(FindKeyFileLine(line), 12u);
    const std::size_t n = EmbedKeyFile(&line, 12);
    if (c.embedded) {
      EXPECT_EQ(n, 13 + 2 * c.size) << c.size;
      std::string hex;
      for (std::size_t i = 0; i < c.size; ++i) hex += "5A";
      EXPECT_EQ(line, "PeerLinkKey =" + hex) << c.size;
    } else {
      EXPECT_EQ(n, 0u) << c.size;
      EXPECT_EQ(line, "PeerLinkKey = key.bin\r\n") << c.size;
    }
  }
}

TEST(KeyFile, FindsOnlyThePeerLinkKeyLine) {
  EXPECT_EQ(FindKeyFileLine("PeerLinkKey = a"), 12u);
  EXPECT_EQ(FindKeyFileLine(" \tPEERLINKKEY\t= a"), 14u);
  EXPECT_EQ(FindKeyFileLine("PeerLinkKey"), 0u);
  EXPECT_EQ(FindKeyFileLine("=PeerLinkKey"), 0u);
  EXPECT_EQ(FindKeyFileLine("; PeerLinkKey = a"), 0u);
  EXPECT_EQ(FindKeyFileLine("PeerLinkKey{policy} = a"), 0u);
  EXPECT_EQ(FindKeyFileLine("PeerLinkKeys = a"), 0u);
  EXPECT_EQ(HexText(std::string("\x00\x09\xA0\xFF", 4)), "0009A0FF");
}

TEST_F(WriterTest, UnusableKeyFileNamesTheRawValueAndKeepsTheOldBinary) {
  dir.Write("policy.bin", "earlier policy");
  std::filesystem::create_directory(dir.Path("folder.key"));
  dir.Write("empty.key", "");
  dir.Write("huge.key", std::string(1024, 'k'));
  for (const std::string name : {"missing.key", "folder.key", "empty.key", "huge.key"}) {
    ws.boxes.clear();
    dir.Write("policy.inf", "A = 1\r\nPeerLinkKey = " + name + "\r\nB = 2\r\n");
    EXPECT_FALSE(frame.WritePolicyBinary()) << name;
    EXPECT_EQ(ws.texts(), std::vector<std::string>{"Error reading file  " + name + "\r\n !"});
    EXPECT_EQ(ReadFile(frame.m_binaryPath), "earlier policy") << name;
  }
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"empty.key", "folder.key", "huge.key",
                                                     "policy.bin", "policy.inf"}));
}

TEST_F(WriterTest, FailuresToOpenEitherFile) {
  EXPECT_FALSE(frame.WritePolicyBinary());  // no source yet
  EXPECT_EQ(ws.texts(),
            std::vector<std::string>{"Error reading file " + frame.m_sourcePath + " !"});
  EXPECT_FALSE(testing::FileExists(frame.m_binaryPath));

  ws.boxes.clear();
  dir.Write("policy.inf", "A = 1\r\n");
  frame.m_binaryPath = dir.Path("no/such/folder/policy.bin");
  EXPECT_FALSE(frame.WritePolicyBinary());
  EXPECT_EQ(ws.texts(),
            std::vector<std::string>{"Error writing file " + frame.m_binaryPath + " !"});
}

TEST_F(WriterTest, ReplacesAReadOnlyEarlierBinary) {
  const std::string old = dir.Write("policy.bin", "old");
  std::filesystem::permissions(old, std::filesystem::perms::owner_read);
  EXPECT_EQ(Compile("A = 1\r\n"), "A = 1\r\n" + kStamp);
}

}  // namespace
}  // namespace tarvex
