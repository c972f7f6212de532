#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_ops.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {
using testing::ReadFile;
using testing::TempDir;

TEST(ReplacementFile, ReplacesTheTargetOnlyOnCommit) {
  TempDir dir;
  const std::string target = dir.Write("policy.bin", "old");
  ReplacementFile f;
  ASSERT_TRUE(f.Open(target));
  ASSERT_TRUE(f.Write("new "));
  ASSERT_TRUE(f.Write("bytes"));
  EXPECT_EQ(ReadFile(target), "old");  // nothing visible before the commit
  EXPECT_EQ(dir.Entries().size(), 2u);
  ASSERT_TRUE(f.Commit());
  EXPECT_EQ(ReadFile(target), "new bytes");
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"policy.bin"});
}

TEST(ReplacementFile, AbandonAndDestructionLeaveTargetAndNoTemporaryFile) {
  TempDir dir;
  const std::string target = dir.Write("policy.bin", "old");
  {
    ReplacementFile f;
    ASSERT_TRUE(f.Open(target));
    f.Write("half");
  }
  EXPECT_EQ(ReadFile(target), "old");
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"policy.bin"});
  ReplacementFile g;
  ASSERT_TRUE(g.Open(dir.Path("new.inf")));
  g.Abandon();
  EXPECT_FALSE(g.Commit());
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"policy.bin"});
}

TEST(ReplacementFile, ReplacesAReadOnlyTarget) {
  TempDir dir;
  const std::string target = dir.Write("policy.bin", "old");
  std::filesystem::permissions(
      target, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  ReplacementFile f;
  ASSERT_TRUE(f.Open(target));
  f.Write("new");
  ASSERT_TRUE(f.Commit());
  EXPECT_EQ(ReadFile(target), "new");
}

TEST(ReplacementFile, RefusesFoldersAndMissingFolders) {
  TempDir dir;
  std::filesystem::create_directory(dir.Path("sub"));
  ReplacementFile f;
  EXPECT_FALSE(f.Open(dir.Path("sub")));
  EXPECT_FALSE(f.Open(dir.Path("missing/policy.bin")));
  EXPECT_FALSE(f.Open(""));
  EXPECT_FALSE(f.Write("x"));
}

TEST(FileOps, FullPathAndFolders) {
  TempDir dir(/*enter=*/true);
  EXPECT_EQ(FullPath("Policy.bin"), dir.Path("Policy.bin"));
  EXPECT_FALSE(FullPath(std::string(1100, 'a')).has_value());
  EXPECT_TRUE(IsDirectory(dir.path().string()));
  EXPECT_EQ(OpenForBinaryReading(dir.path().string()), nullptr);
  EXPECT_EQ(OpenForBinaryReading(dir.Path("absent")), nullptr);
}

}  // namespace
}  // namespace tarvex
