#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "commands/main_frame_logic.h"
#include "platform/fake_window_system.h"
#include "policyfile/policy_reader.h"
#include "support/cipher_bytes.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {
using testing::EncipherAll;
using testing::ReadFile;
using testing::TempDir;
using V = std::vector<std::string>;

const std::string kStamp = "TimeStamp = 202612511080509\r\n";

TEST(ProbePolicyBinary, RecognisesAnyWholeLineHoldingTheMarker) {
  TempDir dir(/*enter=*/true);
  struct Case {
    const char* name;
    std::string plain;
    bool recognised;
  } cases[] = {
      {"time stamp last", "A = 1\r\n" + kStamp, true},
      {"marker mid-line", "x TimeStamp = y\n", true},
      {"marker in an unfinished last fragment", "A = 1\r\nTimeStamp = 1", false},
      {"no marker", "A = 1\r\n", false},
      {"empty file", "", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProbePolicyBinary(dir.Write("p.bin", EncipherAll(c.plain)), "TimeStamp = "),
              c.recognised)
        << c.name;
  }
  // Plain text given a .bin name deciphers to noise.
  EXPECT_FALSE(ProbePolicyBinary(dir.Write("text.bin", "A = 1\r\n" + kStamp), "TimeStamp = "));
  EXPECT_FALSE(ProbePolicyBinary(dir.Path("absent.bin"), "TimeStamp = "));
  dir.Write("Policy.bin", EncipherAll(kStamp));
  EXPECT_FALSE(ProbePolicyBinary(dir.Path("absent.bin"), "TimeStamp = "));
  EXPECT_TRUE(ProbePolicyBinary("", "TimeStamp = "));  // no name: Policy.bin here
}

class ConvertTest : public ::testing::Test {
 protected:
  ConvertTest() : frame(ws) {
    frame.m_binaryPath = dir.Path("policy.bin");
    frame.m_sourcePath = dir.Path("Untitled.inf");
  }
  TempDir dir;
  FakeWindowSystem ws;
  MainFrameLogic frame;
};

TEST_F(ConvertTest, WritesTheLinesWithoutTheTimeStampThenOpensAndReports) {
  dir.Write("policy.bin",
            EncipherAll("; c\r\nA = 1\r\nPeerLinkKey =00FF\r\n" + kStamp + "B = 2\r\nunfinished"));
  ASSERT_TRUE(frame.ConvertPolicyBinary());
  EXPECT_EQ(ReadFile(frame.m_sourcePath), "; c\r\nA = 1\r\nPeerLinkKey =00FF\r\nB = 2\r\n");
  EXPECT_EQ(ws.events, (V{"open: " + frame.m_sourcePath,
                          "box: " + frame.m_sourcePath + " file is generated successfully."}));
}

TEST_F(ConvertTest, FromADropItStaysSilentAndOpensNothing) {
  dir.Write("policy.bin", EncipherAll("A = 1\r\n" + kStamp));
  frame.m_fromDrop = true;
  ASSERT_TRUE(frame.ConvertPolicyBinary());
  EXPECT_EQ(ReadFile(frame.m_sourcePath), "A = 1\r\n");
  EXPECT_TRUE(ws.events.empty());
}

TEST_F(ConvertTest, ZeroBytesCutTheirLineAndReadOnlyTargetsAreReplaced) {
  dir.Write("policy.bin", EncipherAll(std::string("A\0junk\r\nB\r\n", 11) + kStamp));
  const std::string old = dir.Write("Untitled.inf", "old");
  std::filesystem::permissions(old, std::filesystem::perms::owner_read);
  frame.m_fromDrop = true;
  ASSERT_TRUE(frame.ConvertPolicyBinary());
  EXPECT_EQ(ReadFile(frame.m_sourcePath), "AB\r\n");
}

TEST_F(ConvertTest, UnreadableBinaryKeepsTheExistingSource) {
  dir.Write("Untitled.inf", "precious");
  EXPECT_FALSE(frame.ConvertPolicyBinary());
  EXPECT_EQ(ws.texts(), V{"Error reading file " + frame.m_binaryPath + " !"});
  EXPECT_EQ(ReadFile(frame.m_sourcePath), "precious");
  EXPECT_TRUE(ws.openedDocuments.empty());
}

TEST_F(ConvertTest, UnwritableTargetIsReported) {
  dir.Write("policy.bin", EncipherAll("A = 1\r\n" + kStamp));
  frame.m_sourcePath = dir.Path("missing/Untitled.inf");
  EXPECT_FALSE(frame.ConvertPolicyBinary());
  EXPECT_EQ(ws.texts(), V{"Error writing file " + frame.m_sourcePath + " !"});
  EXPECT_EQ(dir.Entries(), V{"policy.bin"});
}

TEST_F(ConvertTest, RecognisingAndConvertingIsOnePassThatShowsNothingUntilTheMarker) {
  struct Case {
    const char* name;
    std::string plain;  // "" with `noise`: the file is not enciphered at all
    bool recognised;
  } cases[] = {
      // More than one write block of lines before the marker, and after it.
      {"long body",
       std::string(40000, 'x') + "\r\n" + std::string(300000, 'y') + "\n" + kStamp +
           std::string(300000, 'z') + "\r\n",
       true},
      {"marker first", kStamp + "A = 1\r\n", true},
      {"no marker", "A = 1\r\n" + std::string(300000, 'a') + "\r\n", false},
      {"marker in the unfinished last fragment", "A = 1\r\nTimeStamp = ", false},
  };
  for (const Case& c : cases) {
    TempDir here;
    FakeWindowSystem ws2;
    MainFrameLogic frame2(ws2);
    frame2.m_fromDrop = true;
    const std::string earlier = here.Write("Untitled.inf", "earlier");
    const std::string binary = here.Write("p.bin", EncipherAll(c.plain));
    EXPECT_EQ(frame2.ConvertPolicyBinaryTo(binary, earlier), c.recognised) << c.name;
    std::string expected = c.plain;
    if (const std::size_t at = expected.find(kStamp); at != std::string::npos) {
      expected.erase(at, kStamp.size());
    }
    EXPECT_EQ(ReadFile(earlier), c.recognised ? expected : "earlier") << c.name;
    EXPECT_EQ(here.Entries(), (V{"Untitled.inf", "p.bin"})) << c.name;
    EXPECT_EQ(ws2.texts(), c.recognised ? V{} : V{"This is not a valid Tarvex file."}) << c.name;
  }
}

// The converter takes the deciphered text a block (256 KiB) at a time; the
// lines it writes must be those a line-by-line reading gives, wherever the
// blocks cut them, on both the small-file path and the read-ahead thread's
// (from 1 MiB).
TEST(ConvertPolicyStream, KeepsTheLinesWhereverTheBlocksCutThem) {
  constexpr std::size_t kBlock = 256 * 1024;
  // `n` bytes of whole lines.
  auto lines = [](std::size_t n) {
    std::string text;
    while (text.size() + 8 < n) text += "K = 123\n";
    return text + std::string(n - text.size() - 1, 'k') + "\n";
  };
  const std::string z(1, '\0');
  struct Case {
    const char* name;
    std::string plain;
  } cases[] = {
      {"marker line across a boundary", lines(kBlock - 6) + kStamp + "B = 2\r\n"},
      {"marker itself cut by the boundary", lines(kBlock - 20) + "x = TimeStamp = 1\r\nC\n"},
      {"zero byte before the boundary in a line across it",
       lines(kBlock - 10) + "C = x" + z + "yyyyyyyyyy\r\nD = 3\r\n" + kStamp},
      {"zero byte after the boundary in a line across it",
       lines(kBlock - 4) + "E = abcdef" + z + "gh\r\n" + kStamp},
      {"line feed the block's last byte", lines(kBlock) + kStamp + "F\r\n"},
      {"line feed the next block's first byte", lines(kBlock - 4) + "G=12\nH\n"},
      {"unfinished last fragment across a boundary",
       kStamp + lines(kBlock - 40) + "no line feed here"},
      {"a line over three blocks, its marker after a zero byte",
       lines(100) + std::string(300000, 'x') + z + "TimeStamp = " + std::string(300000, 'y') +
           "\nI\n"},
      {"zero bytes and the marker in whole lines of one block",
       "A" + z + "b\r\n" + kStamp + "C" + z + "\r\nD\r\n"},
      {"read ahead: marker line across the fourth block's start",
       lines(4 * kBlock - 6) + kStamp + lines(1000) + "tail"},
      {"read ahead: zero byte in a line across a boundary, no marker",
       lines(5 * kBlock - 3) + "J" + z + "jjjjjj\n" + lines(100)},
      {"only a line feed", "\n"},
      {"only a fragment", "TimeStamp = 1"},
      {"empty", ""},
  };
  TempDir dir;
  for (const Case& c : cases) {
    std::string expected;
    for (std::size_t at = 0, end; (end = c.plain.find('\n', at)) != std::string::npos;
         at = end + 1) {
      const std::string line = c.plain.substr(at, end + 1 - at);
      if (line.find("TimeStamp = ") == std::string::npos)
        expected += line.substr(0, line.find('\0'));
    }
    const std::string binary = dir.Write("p.bin", EncipherAll(c.plain));
    ASSERT_EQ(ConvertPolicyStream(binary, dir.Path("p.inf"), /*requireMarker=*/false),
              ConvertOutcome::kConverted)
        << c.name;
    const std::string got = ReadFile(dir.Path("p.inf"));
    // (Megabytes of text: told by where they part, not printed.)
    const auto parted = std::mismatch(got.begin(), got.end(), expected.begin(), expected.end());
    EXPECT_TRUE(got == expected) << c.name << ": " << got.size() << " bytes for " << expected.size()
                                 << ", parting at " << (parted.first - got.begin());
  }
}

TEST_F(ConvertTest, UnrecognisedFileGivesTheSameMessageWhenTheTargetIsUnwritable) {
  const std::string noise = dir.Write("noise.bin", "A = 1\r\n" + kStamp);
  const std::string good = dir.Write("good.bin", EncipherAll("A = 1\r\n" + kStamp));
  EXPECT_FALSE(frame.ConvertPolicyBinaryTo(noise, dir.Path("missing/Untitled.inf")));
  EXPECT_FALSE(frame.ConvertPolicyBinaryTo(good, dir.Path("missing/Untitled.inf")));
  EXPECT_EQ(ws.texts(), (V{"This is not a valid Tarvex file.",
                           "Error writing file " + dir.Path("missing/Untitled.inf") + " !"}));
  EXPECT_EQ(dir.Entries(), (V{"good.bin", "noise.bin"}));
}

}  // namespace
}  // namespace tarvex
