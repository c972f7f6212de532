// A signal while a file is being replaced removes the temporary file and
// ends the process as the signal would have; the earlier file stays.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <cstdlib>

#include "platform/file_ops.h"
#include "platform/interrupt_cleanup.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {
using testing::ReadFile;
using testing::TempDir;

TEST(InterruptCleanup, ASignalWhileWritingRemovesTheTemporaryFileAndEndsByTheSignal) {
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
    TempDir dir;
    const std::string target = dir.Write("policy.bin", "earlier");
    EXPECT_EXIT(
        {
          ReplacementFile second;  // a second file open at once is removed too
          ReplacementFile output;
          if (!second.Open(dir.Path("Untitled.inf")) || !output.Open(target) ||
              !output.Write("partial")) {
            std::_Exit(3);
          }
          std::raise(sig);
          std::_Exit(4);
        },
        ::testing::KilledBySignal(sig), "")
        << sig;
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"policy.bin"}) << sig;
    EXPECT_EQ(ReadFile(target), "earlier") << sig;
  }
}

TEST(InterruptCleanup, FilesNoLongerRegisteredAreLeftAlone) {
  TempDir dir;
  const std::string kept = dir.Write("kept.txt", "kept");
  const std::string committed = dir.Path("policy.bin");
  EXPECT_EXIT(
      {
        RegisterInterruptCleanup(kept);
        UnregisterInterruptCleanup(kept);
        ReplacementFile output;
        if (!output.Open(committed) || !output.Write("new") || !output.Commit()) std::_Exit(3);
        std::raise(SIGTERM);
        std::_Exit(4);
      },
      ::testing::KilledBySignal(SIGTERM), "");
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"kept.txt", "policy.bin"}));
  EXPECT_EQ(ReadFile(committed), "new");
}

}  // namespace
}  // namespace tarvex
#endif  // _WIN32
