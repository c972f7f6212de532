// The disk fails under the writer and the converter: the failure is
// reported as "Error writing file %s !" naming the output, the earlier file
// stays byte for byte as it was, and no temporary file is left behind.
//
// The real write path is made to fail with a file-size limit
// (RLIMIT_FSIZE, with SIGXFSZ ignored so that an oversized write returns
// an error instead of killing the process), which binds root too. The
// limit covers only the call under test; checks run after it is lifted.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "cli/tarvexc.h"
#include "commands/main_frame_logic.h"
#include "platform/fake_window_system.h"
#include "platform/resource_ids.h"
#include "support/cipher_bytes.h"
#include "support/param_name.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {
using testing::ReadFile;
using testing::TempDir;
using V = std::vector<std::string>;

const SystemTime kClock{2026, 12, 5, 11, 8, 5, 9};
constexpr std::size_t kStampLength = 29;  // "TimeStamp = " + 15 digits + CR LF

// Runs `call` with files limited to `bytes`, then puts limit and signal back.
void WithFileSizeLimit(rlim_t bytes, const std::function<void()>& call) {
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  struct sigaction ignore {};
  struct sigaction previous {};
  ignore.sa_handler = SIG_IGN;
  ASSERT_EQ(sigaction(SIGXFSZ, &ignore, &previous), 0);
  rlimit limited = old;
  limited.rlim_cur = bytes;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  call();
  setrlimit(RLIMIT_FSIZE, &old);
  sigaction(SIGXFSZ, &previous, nullptr);
}

// A sound source of `size` bytes (at least 12) in whole CR LF lines, so
// that its body is itself.
std::string SourceOfSize(std::size_t size) {
  std::string s;
  for (int i = 0;; ++i) {
    const std::string line = "Banner = line " + std::to_string(i) + " of the policy\r\n";
    if (s.size() + line.size() + 12 > size) break;
    s += line;
  }
  return s + "Banner = " + std::string(size - s.size() - 11, 'x') + "\r\n";
}

struct LimitCase {
  const char* name;
  std::size_t sourceSize;
  long long absoluteLimit;  // the limit in bytes; when negative, the output's size plus
  long long limitFromEnd;   // this

  bool succeeds;
};

// Where the write fails: before the first byte, in the first buffer, in
// the middle, at the very last byte (seen only when the file is closed);
// and an exact limit, which shows that nothing else gets in the way.
const LimitCase kLimitCases[] = {
    {"nothing fits", 5000, 0, 0, false},
    {"first buffer", 20000, 1000, 0, false},
    {"middle of a large file", 300000, 100000, 0, false},
    {"last byte", 20000, -1, -1, false},
    {"exact fit", 20000, -1, 0, true},
};

void PrintTo(const LimitCase& c, std::ostream* os) {
  *os << c.name;
}

rlim_t LimitFor(const LimitCase& c, std::size_t outputSize) {
  if (c.absoluteLimit >= 0) return static_cast<rlim_t>(c.absoluteLimit);
  return static_cast<rlim_t>(static_cast<long long>(outputSize) + c.limitFromEnd);
}

class WriteFailureTest : public ::testing::TestWithParam<LimitCase> {
 protected:
  WriteFailureTest() : dir(/*enter=*/true), frame(ws) {
    frame.SetClock([] { return kClock; });
  }
  TempDir dir;
  FakeWindowSystem ws;
  MainFrameLogic frame;
};

TEST_P(WriteFailureTest, WriterKeepsTheEarlierBinary) {
  const LimitCase& c = GetParam();
  const std::string source = SourceOfSize(c.sourceSize);
  frame.m_sourcePath = dir.Write("policy.inf", source);
  frame.m_binaryPath = dir.Path("policy.bin");
  const std::string earlier = testing::EncipherAll("Earlier = 1\r\nTimeStamp = 1\r\n");
  dir.Write("policy.bin", earlier);

  bool written = false;
  WithFileSizeLimit(LimitFor(c, source.size() + kStampLength),
                    [&] { written = frame.WritePolicyBinary(); });

  ASSERT_EQ(written, c.succeeds);
  EXPECT_EQ(dir.Entries(), (V{"policy.bin", "policy.inf"}));
  if (c.succeeds) {
    EXPECT_EQ(testing::DecipherFile(frame.m_binaryPath).size(), source.size() + kStampLength);
    return;
  }
  EXPECT_EQ(ws.texts(), V{"Error writing file " + frame.m_binaryPath + " !"});
  EXPECT_EQ(ws.boxes[0].id, IDS_ERROR_WRITING_FILE);
  EXPECT_EQ(ReadFile(frame.m_binaryPath), earlier);
}

TEST_P(WriteFailureTest, ConverterKeepsTheEarlierSource) {
  const LimitCase& c = GetParam();
  const std::string body = SourceOfSize(c.sourceSize);
  frame.m_binaryPath =
      dir.Write("policy.bin", testing::EncipherAll(body + "TimeStamp = 202612511080509\r\n"));
  frame.m_sourcePath = dir.Write("Untitled.inf", "Precious = 1\r\n");

  bool converted = false;
  WithFileSizeLimit(LimitFor(c, body.size()), [&] { converted = frame.ConvertPolicyBinary(); });

  ASSERT_EQ(converted, c.succeeds);
  EXPECT_EQ(dir.Entries(), (V{"Untitled.inf", "policy.bin"}));
  if (c.succeeds) {
    EXPECT_EQ(ReadFile(frame.m_sourcePath), body);
    return;
  }
  EXPECT_EQ(ws.texts(), V{"Error writing file " + frame.m_sourcePath + " !"});
  EXPECT_TRUE(ws.openedDocuments.empty());  // nothing half-written is opened
  EXPECT_EQ(ReadFile(frame.m_sourcePath), "Precious = 1\r\n");
}

INSTANTIATE_TEST_SUITE_P(Limits, WriteFailureTest, ::testing::ValuesIn(kLimitCases),
                         testing::CaseName());

TEST(WriteFailure, GenerateAndTheCommandLineReportTheFailure) {
  TempDir dir(/*enter=*/true);
  dir.Write("keyword.txt", "Banner, string\n");
  const std::string source = dir.Write("policy.inf", SourceOfSize(20000));
  dir.Write("policy.bin", "earlier");

  KeywordTable table;
  table.Append({"Banner", "string", "", ""});
  FakeWindowSystem ws;
  MainFrameLogic frame(ws);
  frame.SetKeywordTable(&table);
  bool generated = true;
  int status = 0;
  std::ostringstream out, err;
  WithFileSizeLimit(1000, [&] {
    generated = frame.GenerateFromPath(source);
    status = RunTarvexc({"generate", source}, out, err);
  });

  EXPECT_FALSE(generated);
  EXPECT_EQ(ws.texts(), V{"Error writing file " + dir.Path("policy.bin") + " !"});
  EXPECT_EQ(status, kExitFailure);
  EXPECT_NE((out.str() + err.str()).find("Error writing file " + dir.Path("policy.bin") + " !"),
            std::string::npos);
  EXPECT_EQ((out.str() + err.str()).find("successfully"), std::string::npos);
  EXPECT_EQ(ReadFile(dir.Path("policy.bin")), "earlier");
  EXPECT_EQ(dir.Entries(), (V{"keyword.txt", "policy.bin", "policy.inf"}));
}

TEST(WriteFailure, ReadOnlyFolderRefusesTheTemporaryFile) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  TempDir dir;
  FakeWindowSystem ws;
  MainFrameLogic frame(ws);
  frame.m_sourcePath = dir.Write("policy.inf", "Banner = x\r\n");
  frame.m_binaryPath = dir.Write("policy.bin", "earlier");
  namespace fs = std::filesystem;
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  const bool written = frame.WritePolicyBinary();
  fs::permissions(dir.path(), fs::perms::owner_all);

  EXPECT_FALSE(written);
  EXPECT_EQ(ws.texts(), V{"Error writing file " + frame.m_binaryPath + " !"});
  EXPECT_EQ(ReadFile(frame.m_binaryPath), "earlier");
  EXPECT_EQ(dir.Entries(), (V{"policy.bin", "policy.inf"}));
}

}  // namespace
}  // namespace tarvex
