// The disk fails under the writer and the converter: the failure is
// reported as "Error writing file %s !" naming the output, the earlier file
// stays byte for byte as it was, and no temporary file is left behind.
//
// The file layer's seam fails a write, flush, close or rename at a chosen
// byte, so these cases run alike on every system; disk_limit_test.cpp
// keeps a real full-disk case where the system can impose one.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/tarvexc.h"
#include "commands/main_frame_logic.h"
#include "platform/fake_window_system.h"
#include "platform/file_fault.h"
#include "platform/resource_ids.h"
#include "policyfile/write_failure_support.h"
#include "support/cipher_bytes.h"
#include "support/param_name.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {
using testing::ReadFile;
using testing::SourceOfSize;
using testing::TempDir;
using V = std::vector<std::string>;

const SystemTime kClock{2026, 12, 5, 11, 8, 5, 9};
constexpr std::size_t kStampLength = 29;  // "TimeStamp = " + 15 digits + CR LF

struct FaultCase {
  const char* name;
  FileStep step;
  std::size_t sourceSize;
  long long absoluteAt;  // the fault's byte; when negative, the output's size plus
  long long fromEnd;     // this
  bool succeeds;
};

// A write that fails before the first byte, in the first buffer, in the
// middle of a large file and at the very last byte; an exact fit, which
// shows that nothing else gets in the way; and each later step failing
// once everything was written.
const FaultCase kFaultCases[] = {
    {"nothing fits", FileStep::kWrite, 5000, 0, 0, false},
    {"first buffer", FileStep::kWrite, 20000, 1000, 0, false},
    {"middle of a large file", FileStep::kWrite, 300000, 100000, 0, false},
    {"last byte", FileStep::kWrite, 20000, -1, -1, false},
    {"exact fit", FileStep::kWrite, 20000, -1, 0, true},
    {"flush", FileStep::kFlush, 20000, -1, 0, false},
    {"close", FileStep::kClose, 20000, -1, 0, false},
    {"rename", FileStep::kRename, 20000, -1, 0, false},
    {"rename of an empty file", FileStep::kRename, 5000, 0, 0, false},
};

void PrintTo(const FaultCase& c, std::ostream* os) {
  *os << c.name;
}

FileFault FaultFor(const FaultCase& c, std::size_t outputSize) {
  const long long at =
      c.absoluteAt >= 0 ? c.absoluteAt : static_cast<long long>(outputSize) + c.fromEnd;
  return {c.step, static_cast<std::uint64_t>(at)};
}

class WriteFailureTest : public ::testing::TestWithParam<FaultCase> {
 protected:
  WriteFailureTest() : dir(/*enter=*/true), frame(ws) {
    frame.SetClock([] { return kClock; });
  }
  TempDir dir;
  FakeWindowSystem ws;
  MainFrameLogic frame;
};

TEST_P(WriteFailureTest, WriterKeepsTheEarlierBinary) {
  const FaultCase& c = GetParam();
  const std::string source = SourceOfSize(c.sourceSize);
  frame.m_sourcePath = dir.Write("policy.inf", source);
  frame.m_binaryPath = dir.Path("policy.bin");
  const std::string earlier = testing::EncipherAll("Earlier = 1\r\nTimeStamp = 1\r\n");
  dir.Write("policy.bin", earlier);

  bool written = false;
  {
    ScopedFileFault fault(FaultFor(c, source.size() + kStampLength));
    written = frame.WritePolicyBinary();
  }

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
  const FaultCase& c = GetParam();
  const std::string body = SourceOfSize(c.sourceSize);
  frame.m_binaryPath =
      dir.Write("policy.bin", testing::EncipherAll(body + "TimeStamp = 202612511080509\r\n"));
  frame.m_sourcePath = dir.Write("Untitled.inf", "Precious = 1\r\n");

  bool converted = false;
  {
    ScopedFileFault fault(FaultFor(c, body.size()));
    converted = frame.ConvertPolicyBinary();
  }

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

INSTANTIATE_TEST_SUITE_P(Faults, WriteFailureTest, ::testing::ValuesIn(kFaultCases),
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
  {
    ScopedFileFault fault({FileStep::kWrite, 1000});
    generated = frame.GenerateFromPath(source);
    status = RunTarvexc({"generate", source}, out, err);
  }

  EXPECT_FALSE(generated);
  EXPECT_EQ(ws.texts(), V{"Error writing file " + dir.Path("policy.bin") + " !"});
  EXPECT_EQ(status, kExitFailure);
  EXPECT_NE((out.str() + err.str()).find("Error writing file " + dir.Path("policy.bin") + " !"),
            std::string::npos);
  EXPECT_EQ((out.str() + err.str()).find("successfully"), std::string::npos);
  EXPECT_EQ(ReadFile(dir.Path("policy.bin")), "earlier");
  EXPECT_EQ(dir.Entries(), (V{"keyword.txt", "policy.bin", "policy.inf"}));
}

}  // namespace
}  // namespace tarvex
