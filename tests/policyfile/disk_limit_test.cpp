// A real full disk under the writer and the converter, where the system
// can impose one: a file-size limit (RLIMIT_FSIZE, with SIGXFSZ ignored so
// that an oversized write returns an error instead of killing the
// process), which binds root too. The limit covers only the call under
// test. write_failure_test.cpp runs every failure step through the file
// layer's seam; this shows that the seam's failures are the real ones.
// Windows has neither the limit nor read-only folders.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "commands/main_frame_logic.h"
#include "platform/fake_window_system.h"
#include "policyfile/write_failure_support.h"
#include "support/cipher_bytes.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {
using testing::ReadFile;
using testing::SourceOfSize;
using testing::TempDir;
using V = std::vector<std::string>;

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

TEST(DiskLimit, WriterAndConverterKeepTheEarlierFiles) {
  TempDir dir(/*enter=*/true);
  FakeWindowSystem ws;
  MainFrameLogic frame(ws);
  const std::string body = SourceOfSize(300000);
  frame.m_sourcePath = dir.Write("policy.inf", body);
  frame.m_binaryPath = dir.Write("policy.bin", "earlier");
  bool written = true;
  WithFileSizeLimit(100000, [&] { written = frame.WritePolicyBinary(); });
  EXPECT_FALSE(written);
  EXPECT_EQ(ReadFile(frame.m_binaryPath), "earlier");

  frame.m_binaryPath =
      dir.Write("policy.bin", testing::EncipherAll(body + "TimeStamp = 202612511080509\r\n"));
  frame.m_sourcePath = dir.Write("policy.inf", "Precious = 1\r\n");
  bool converted = true;
  WithFileSizeLimit(100000, [&] { converted = frame.ConvertPolicyBinary(); });
  EXPECT_FALSE(converted);
  EXPECT_EQ(ReadFile(frame.m_sourcePath), "Precious = 1\r\n");

  EXPECT_EQ(ws.texts(), (V{"Error writing file " + dir.Path("policy.bin") + " !",
                           "Error writing file " + dir.Path("policy.inf") + " !"}));
  EXPECT_EQ(dir.Entries(), (V{"policy.bin", "policy.inf"}));
}

TEST(DiskLimit, ReadOnlyFolderRefusesTheTemporaryFile) {
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
#endif  // _WIN32
