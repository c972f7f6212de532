#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "platform/file_ops.h"
#include "support/temp_dir.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <direct.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tarvex {
namespace {
using testing::ReadFile;
using testing::TempDir;

#ifdef _WIN32
constexpr char kSeparator = '\\';
bool MakeFolder(const std::string& path) {
  return _mkdir(path.c_str()) == 0;
}
bool EnterFolder(const std::string& path) {
  return _chdir(path.c_str()) == 0;
}
#else
constexpr char kSeparator = '/';
bool MakeFolder(const std::string& path) {
  return mkdir(path.c_str(), 0777) == 0;
}
bool EnterFolder(const std::string& path) {
  return chdir(path.c_str()) == 0;
}
#endif

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

TEST(ReplacementFile, ALargeFileHandedOnAsItIsWrittenArrivesWhole) {
  // Past several steps of handing bytes to the system's writeback, in
  // pieces that straddle them; abandoned, it leaves the target alone.
  TempDir dir;
  const std::string target = dir.Write("policy.bin", "old");
  std::string expected;
  for (bool commit : {false, true}) {
    ReplacementFile f;
    ASSERT_TRUE(f.Open(target));
    expected.clear();
    for (int i = 0; expected.size() < 9'500'000; ++i) {
      const std::string piece(100'003 + i % 7, static_cast<char>('a' + i % 26));
      ASSERT_TRUE(f.Write(piece));
      expected += piece;
    }
    if (!commit) continue;  // destroyed unfinished
    ASSERT_TRUE(f.Commit());
  }
  EXPECT_EQ(ReadFile(target), expected);
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

#ifdef _WIN32
// Windows refuses to replace a hidden or system file, not only a read-only one.
TEST(ReplacementFile, ReplacesAHiddenSystemReadOnlyTarget) {
  TempDir dir;
  const std::string target = dir.Write("policy.bin", "old");
  constexpr DWORD kGuarded =
      FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  ASSERT_TRUE(SetFileAttributesA(target.c_str(), kGuarded));
  SetNormalAttributes(target);
  EXPECT_EQ(GetFileAttributesA(target.c_str()) & kGuarded, 0u);
  ASSERT_TRUE(SetFileAttributesA(target.c_str(), kGuarded));
  ReplacementFile f;
  ASSERT_TRUE(f.Open(target));
  f.Write("new");
  ASSERT_TRUE(f.Commit());
  EXPECT_EQ(ReadFile(target), "new");
}
#endif

// Paths are the system's narrow strings end to end: a folder named in the
// Windows code page (café in 1252) is written to and reported as given.
TEST(ReplacementFile, WorksInAFolderWithANonAsciiName) {
  TempDir dir;
  const std::string folder = dir.path().string() + kSeparator + "caf\xe9";
  ASSERT_TRUE(MakeFolder(folder));
  const std::string target = folder + kSeparator + "policy.bin";
  ReplacementFile f;
  ASSERT_TRUE(f.Open(target));
  ASSERT_TRUE(f.Write("new"));
  ASSERT_TRUE(f.Commit());
  EXPECT_EQ(ReadFile(target), "new");

  const std::filesystem::path previous = std::filesystem::current_path();
  ASSERT_TRUE(EnterFolder(folder));
  const std::optional<std::string> full = FullPath("Policy.bin");
  std::filesystem::current_path(previous);
  EXPECT_EQ(full, folder + kSeparator + "Policy.bin");
}

// The temporary file is made only where nothing stands: an existing file
// is neither opened nor emptied.
TEST(FileOps, CreateNewFileNeverOpensWhatIsThere) {
  TempDir dir;
  const std::string existing = dir.Write("policy.bin", "keep");
  std::filesystem::create_directory(dir.Path("folder"));
  errno = 0;
  EXPECT_EQ(CreateNewFile(existing), nullptr);
  EXPECT_EQ(errno, EEXIST);
  EXPECT_EQ(CreateNewFile(dir.Path("folder")), nullptr);
  EXPECT_EQ(ReadFile(existing), "keep");

  std::FILE* created = CreateNewFile(dir.Path("new.bin"));
  ASSERT_NE(created, nullptr);
  std::fputs("a\nb", created);  // binary: no CR is added on Windows
  std::fclose(created);
  EXPECT_EQ(ReadFile(dir.Path("new.bin")), "a\nb");
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
