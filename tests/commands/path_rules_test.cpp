#include <gtest/gtest.h>

#include "commands/path_rules.h"

namespace tarvex {
namespace {

TEST(PathRules, ExtensionTestIgnoresAsciiCaseOfTheLastExtensionOnly) {
  struct Case {
    const char* path;
    PolicyFileType type;
  } cases[] = {
      {"/srv/policy.inf", PolicyFileType::kSource},
      {"/srv/POLICY.INF", PolicyFileType::kSource},
      {"a.Bin", PolicyFileType::kBinary},
      {"report.inf.txt", PolicyFileType::kOther},
      {"/srv/policy", PolicyFileType::kOther},
      {"/srv.inf/policy", PolicyFileType::kOther},
      {".inf", PolicyFileType::kSource},
      {"policy.", PolicyFileType::kOther},
      {"policy.infx", PolicyFileType::kOther},
      {"", PolicyFileType::kOther},
  };
  for (const Case& c : cases) EXPECT_EQ(ClassifyExtension(c.path), c.type) << c.path;
}

TEST(PathRules, SiblingPathsKeepTheFolder) {
  EXPECT_EQ(SiblingPath("/srv/branch/office.inf", "policy", "bin"), "/srv/branch/policy.bin");
  EXPECT_EQ(SiblingPath("office.INF", "policy", "bin"), "policy.bin");
  EXPECT_EQ(SiblingPath("/srv/x.y/Policy.BIN", "Policy", "inf"), "/srv/x.y/Policy.inf");
  EXPECT_EQ(SiblingPath("/srv/a.b.bin", "Untitled", "inf"), "/srv/Untitled.inf");
  const PathPieces p = SplitPath("/srv/a.b.bin");
  EXPECT_EQ(p.folder, "/srv/");
  EXPECT_EQ(p.baseName, "a.b");
  EXPECT_EQ(p.extension, ".bin");
#ifdef _WIN32
  EXPECT_EQ(SiblingPath("C:office.inf", "policy", "bin"), "C:policy.bin");
  EXPECT_EQ(SiblingPath("C:\\srv\\office.inf", "policy", "bin"), "C:\\srv\\policy.bin");
#else
  // A backslash and a drive-like prefix are ordinary characters of a name here.
  EXPECT_EQ(SiblingPath("/srv/C:a\\b.inf", "policy", "bin"), "/srv/policy.bin");
  EXPECT_EQ(SplitPath("C:x.inf").baseName, "C:x");
#endif
}

}  // namespace
}  // namespace tarvex
