// The registry entries Tarvex writes and removes, on an in-memory classes
// root: what containers and the desktop find, ".inf" left to its owner or
// claimed and then given back exactly, and removals that fail.
#include "win32/registration/registration.h"

#include <gtest/gtest.h>

#include "win32/registration/fake_registry.h"
#include "win32/registration/registry_layout.h"

namespace tarvex::win32::registration {
namespace {

constexpr const char* kExe = "C:\\Program Files\\Tarvex\\tarvex.exe";
// The program's path in double quotes, as commands name it.
const std::string kQuotedExe = std::string(1, '"').append(kExe).append(1, '"');
const std::string kClass = "CLSID\\{4A1E6C2B-7D3F-4C55-9A61-2F0B8E5D1C47}";

// A classes root holds other programs' classes.
FakeRegistry OtherClasses() {
  FakeRegistry r;
  r.WriteString("CLSID\\{00020906-0000-0000-C000-000000000046}", "", "Another Document");
  return r;
}

// ".inf" as Windows ships it: Setup Information files.
FakeRegistry WindowsClasses() {
  FakeRegistry r = OtherClasses();
  r.WriteString(".inf", "", "inffile");
  r.WriteString(".inf\\PersistentHandler", "", "{5e941d80-bf96-11cd-b579-08002b30bfeb}");
  r.WriteString("inffile\\shell\\Install\\command", "", "rundll32 setupapi,InstallHinfSection");
  return r;
}

void RegisterBoth(FakeRegistry& r) {
  ASSERT_TRUE(RegisterDocumentType(r, r, kExe));
  ASSERT_TRUE(RegisterServer(r, kExe));
}

TEST(RegistrationTest, ContainersAndTheDesktopFindTheServerAndTheType) {
  FakeRegistry r = WindowsClasses();
  RegisterBoth(r);
  const struct {
    std::string key;
    std::string name;
    std::string value;
  } expected[] = {
      {"Tarvex.Document", "", "Tarvex Document"},
      {"Tarvex.Document\\CLSID", "", "{4A1E6C2B-7D3F-4C55-9A61-2F0B8E5D1C47}"},
      {"Tarvex.Document\\Insertable", "", ""},
      {"Tarvex.Document\\DefaultIcon", "", std::string(kExe) + ",1"},
      {"Tarvex.Document\\shell\\open\\command", "", kQuotedExe + " \"%1\""},
      {"Tarvex.Document\\shell\\print\\command", "", kQuotedExe + " /p \"%1\""},
      {"Tarvex.Document\\shell\\printto\\command", "",
       kQuotedExe + " /pt \"%1\" \"%2\" \"%3\" \"%4\""},
      {"Tarvex.Document\\protocol\\StdFileEditing\\verb\\0", "", "&Edit"},
      {"Tarvex.Document\\protocol\\StdFileEditing\\server", "", kExe},
      {kClass, "", "Tarvex Document"},
      {kClass + "\\ProgID", "", "Tarvex.Document"},
      {kClass + "\\Verb\\0", "", "&Edit,0,2"},
      {kClass + "\\Verb\\1", "", "&Open,0,2"},
      {kClass + "\\Insertable", "", ""},
      {kClass + "\\AuxUserType\\2", "", "Tarvex"},
      {kClass + "\\AuxUserType\\3", "", "Tarvex"},
      {kClass + "\\MiscStatus", "", "32"},
      {kClass + "\\LocalServer32", "", kQuotedExe},
      {kClass + "\\InprocHandler32", "", "ole32.dll"},
      {kClass + "\\DefaultIcon", "", std::string(kExe) + ",1"},
      {kClass + "\\DataFormats\\DefaultFile", "", "Tarvex Contents"},
      {kClass + "\\DataFormats\\GetSet\\0", "", "Tarvex Contents,1,1,3"},
      {kClass + "\\DataFormats\\GetSet\\1", "", "1,1,1,3"},
      {kClass + "\\DataFormats\\GetSet\\2", "", "3,1,32,1"},
      {kClass + "\\DataFormats\\GetSet\\3", "", "14,1,64,1"},
      {".inf\\OpenWithProgids", "Tarvex.Document", ""},
      {".inf", "", "inffile"},  // Setup Information keeps the extension
  };
  for (const auto& e : expected) {
    EXPECT_EQ(r.ReadString(e.key, e.name).value_or("(missing)"), e.value) << e.key << " " << e.name;
  }
  EXPECT_FALSE(r.KeyExists(".inf\\ShellNew"));
  EXPECT_TRUE(RegisteredFor(r, "c:\\program files\\TARVEX\\Tarvex.exe"));
  EXPECT_FALSE(RegisteredFor(r, "C:\\Other\\tarvex.exe"));
}

TEST(RegistrationTest, RegisteringTwiceWritesTheSameEntries) {
  FakeRegistry once = WindowsClasses();
  RegisterBoth(once);
  FakeRegistry twice = WindowsClasses();
  RegisterBoth(twice);
  RegisterBoth(twice);
  EXPECT_EQ(once.contents(), twice.contents());
}

TEST(RegistrationTest, ServerKeyIsReplacedWhole) {
  FakeRegistry r = WindowsClasses();
  r.WriteString(kClass + "\\InprocServer32", "", "C:\\old\\tarvex.dll");
  r.WriteString(kClass + "\\LocalServer32", "", "C:\\old\\tarvex.exe");
  ASSERT_TRUE(RegisterServer(r, kExe));
  EXPECT_FALSE(r.KeyExists(kClass + "\\InprocServer32"));
  EXPECT_TRUE(RegisteredFor(r, kExe));
}

// Every start registers again while containers may be activating objects:
// a registration that is already right changes nothing, not even for a
// moment (the class key refuses every change here).
TEST(RegistrationTest, RegisteringAgainLeavesARightServerKeyUntouched) {
  FakeRegistry r = WindowsClasses();
  RegisterBoth(r);
  const FakeRegistry::Contents before = r.contents();
  r.Refuse(kClass);
  EXPECT_TRUE(RegisterServer(r, kExe));
  EXPECT_EQ(r.contents(), before);
}

// Each starting registry: registered, the extension is Tarvex's (with an
// empty document to create), and removal leaves the registry exactly as it was.
TEST(RegistrationTest, UnownedExtensionIsClaimedAndGivenBackExactly) {
  struct Case {
    const char* name;
    FakeRegistry before;
  };
  std::vector<Case> cases;
  cases.push_back({"no .inf at all", OtherClasses()});
  cases.push_back({".inf without a default", OtherClasses()});
  cases.back().before.WriteString(".inf\\OpenWithProgids", "notepad.inf", "");
  cases.push_back({".inf with an empty default", OtherClasses()});
  cases.back().before.WriteString(".inf", "", "");
  cases.push_back({"an empty OpenWithProgids", OtherClasses()});
  cases.back().before.WriteString(".inf\\OpenWithProgids", "x", "");
  cases.back().before.DeleteValue(".inf\\OpenWithProgids", "x");

  for (Case& c : cases) {
    FakeRegistry r = c.before;
    RegisterBoth(r);
    RegisterBoth(r);  // the second start finds it its own and notes nothing new
    EXPECT_EQ(r.ReadString(".inf", "").value_or(""), "Tarvex.Document") << c.name;
    EXPECT_EQ(r.ReadString(".inf\\ShellNew", "NullFile").value_or("(missing)"), "") << c.name;
    EXPECT_TRUE(r.ReadString(".inf\\OpenWithProgids", "Tarvex.Document")) << c.name;
    EXPECT_TRUE(Unregister(r)) << c.name;
    EXPECT_EQ(r.contents(), c.before.contents()) << c.name;
  }
}

TEST(RegistrationTest, RemovalLeavesTheExtensionToItsOwner) {
  FakeRegistry before = WindowsClasses();
  FakeRegistry r = before;
  RegisterBoth(r);
  ASSERT_TRUE(Unregister(r));
  EXPECT_EQ(r.contents(), before.contents());
  EXPECT_FALSE(AnythingRegistered(r));

  // Claimed while nobody owned it, then taken by another program: it keeps it.
  FakeRegistry taken = OtherClasses();
  RegisterBoth(taken);
  taken.WriteString(".inf", "", "otherfile");
  ASSERT_TRUE(Unregister(taken));
  EXPECT_EQ(taken.ReadString(".inf", "").value_or(""), "otherfile");
  EXPECT_FALSE(taken.ReadString(".inf\\OpenWithProgids", "Tarvex.Document"));
  EXPECT_FALSE(taken.KeyExists("Tarvex.Document"));
}

TEST(RegistrationTest, PerUserRegistrationRespectsTheMachinesOwner) {
  // The user's classes are empty; the merged view shows the machine's "inffile".
  const FakeRegistry merged = WindowsClasses();
  const FakeRegistry before = OtherClasses();
  FakeRegistry user = before;
  ASSERT_TRUE(RegisterDocumentType(user, merged, kExe));
  ASSERT_TRUE(RegisterServer(user, kExe));
  EXPECT_FALSE(user.ReadString(".inf", ""));
  EXPECT_TRUE(user.ReadString(".inf\\OpenWithProgids", "Tarvex.Document"));
  ASSERT_TRUE(Unregister(user));
  EXPECT_EQ(user.contents(), before.contents());
}

TEST(RegistrationTest, RefusedChangesAreReported) {
  FakeRegistry locked = WindowsClasses();
  RegisterBoth(locked);
  locked.Refuse(kClass + "\\Verb");
  EXPECT_FALSE(Unregister(locked));  // 61708
  EXPECT_TRUE(locked.KeyExists(kClass + "\\Verb\\0"));

  // A registration that has to change a refused key.
  FakeRegistry stale = WindowsClasses();
  RegisterBoth(stale);
  stale.WriteString(kClass + "\\Verb\\0", "", "&Old,0,2");
  stale.Refuse(kClass + "\\Verb");
  EXPECT_FALSE(RegisterServer(stale, kExe));  // 61834

  FakeRegistry shared = WindowsClasses();
  RegisterBoth(shared);
  shared.Refuse(".inf\\OpenWithProgids");
  EXPECT_FALSE(Unregister(shared));
  EXPECT_TRUE(AnythingRegistered(shared));
}

}  // namespace
}  // namespace tarvex::win32::registration
