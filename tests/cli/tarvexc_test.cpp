#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "cli/tarvexc.h"
#include "platform/version.h"
#include "support/cipher_bytes.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace tarvex {
namespace {
using testing::DecipherFile;
using testing::ReadFile;
using testing::TempDir;

struct Outcome {
  int status;
  std::string out, err;
};

Outcome Tarvexc(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int status = RunTarvexc(args, out, err);
  return {status, out.str(), err.str()};
}

const char kKeywords[] = "Timeout,int,1,60\r\nEnable,bool\r\nName,string\r\nPeerLinkKey,string\r\n";
const char kUnable[] = "\nUnable to generate the 'Policy.bin' file.\n";

class TarvexcTest : public ::testing::Test {
 protected:
  TarvexcTest() : dir(/*enter=*/true) { dir.Write("keyword.txt", kKeywords); }
  TempDir dir;
};

TEST_F(TarvexcTest, UsageErrorsExitWithTwo) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{},
                                             {"compile", "a.inf"},
                                             {"generate"},
                                             {"generate", "a.inf", "b.inf"},
                                             {"--bogus", "generate", "a.inf"},
                                             {"generate", "a.inf", "-o", "x.inf"},
                                             {"convert", "a.bin", "-o"},
                                             {"check", "a.inf", "--keywords"}}) {
    const Outcome r = Tarvexc(args);
    EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("Usage: tarvexc"), std::string::npos);
  }
}

TEST_F(TarvexcTest, HelpAndVersion) {
  const Outcome help = Tarvexc({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("Usage: tarvexc"));
  EXPECT_TRUE(help.err.empty());
  EXPECT_EQ(Tarvexc({"-h"}).status, 0);
  const Outcome version = Tarvexc({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("tarvexc (Tarvex) ") + kVersion + "\n");
}

TEST_F(TarvexcTest, GenerateWritesPolicyBinAndReportsOnStandardOutput) {
  dir.Write("peer.key", "\xAB");
  dir.Write("site.inf", "Timeout = 30\r\nPeerLinkKey = peer.key\r\n");
  const Outcome r = Tarvexc({"generate", "site.inf"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "policy.bin file is generated successfully.\n");
  EXPECT_EQ(r.err, "");
  const std::string plain = DecipherFile(dir.Path("policy.bin"));
  EXPECT_TRUE(plain.starts_with("Timeout = 30\r\nPeerLinkKey =AB\r\nTimeStamp = ")) << plain;
}

TEST_F(TarvexcTest, FaultsCarryTheirLocation) {
  struct Case {
    const char* source;
    std::string err;
  } cases[] = {
      {"Name = a\r\nTimeout = 61\r\n",
       "site.inf:2:11: error: \"61\" is not within a valid range.  \nThis keyword can only be "
       "assigned with a valid numeric number."},
      {"; c\r\n  Timeout 30\r\n",
       "site.inf:2:3: error: Incorrect syntax, '=' is missing on line 2 ."},
      {"Name = a\n  = 5\n",
       "site.inf:2:1: error: Error detect on line 2.  Keyword cannot be blank."},
      {"Tmeout{policy} = 1",
       "site.inf:1:1: error: \"Tmeout\" on line number 1 is not a valid keyword."},
      {"Name{x} = 1", "site.inf:1:6: error: \"x\" is not a valid attribute detected on line 1."},
  };
  for (const Case& c : cases) {
    dir.Write("site.inf", c.source);
    for (const char* command : {"generate", "check"}) {
      const Outcome r = Tarvexc({command, "site.inf"});
      EXPECT_EQ(r.status, 1) << c.source;
      EXPECT_EQ(r.out, "") << c.source;
      EXPECT_EQ(r.err, c.err + kUnable) << c.source;
    }
  }
  EXPECT_FALSE(testing::FileExists(dir.Path("policy.bin")));
}

TEST_F(TarvexcTest, CheckWritesNothing) {
  dir.Write("site.inf", "Timeout = 30\r\n");
  const Outcome r = Tarvexc({"check", "site.inf"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out + r.err, "");
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"keyword.txt", "site.inf"}));
}

TEST_F(TarvexcTest, DictionaryOption) {
  dir.Write("site.inf", "Other = 1\r\n");
  dir.Write("other.txt", "Other,int,0,9\n");
  EXPECT_EQ(Tarvexc({"check", "--keywords", "other.txt", "site.inf"}).status, 0);
  EXPECT_EQ(Tarvexc({"--keywords=other.txt", "check", "site.inf"}).status, 0);
  const Outcome missing = Tarvexc({"check", "site.inf", "--keywords", "none.txt"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "Error reading file none.txt !\n");
  std::filesystem::remove(dir.Path("keyword.txt"));
  EXPECT_EQ(Tarvexc({"generate", "site.inf"}).err, "Error reading file keyword.txt !\n");
  // The dictionary loads while the source is read and checked, yet its
  // fault is the only one told, whatever the source holds.
  std::string large;
  while (large.size() < 600000) large += "Other = 1\r\nNope\r\n";
  for (const std::string& source : {std::string("Nope\r\n"), std::string("\r\n"), large}) {
    dir.Write("site.inf", source);
    for (const char* command : {"check", "generate"}) {
      const Outcome r = Tarvexc({command, "site.inf"});
      EXPECT_EQ(r.status, 1) << command;
      EXPECT_EQ(r.out + r.err, "Error reading file keyword.txt !\n") << command;
    }
    EXPECT_FALSE(testing::FileExists(dir.Path("policy.bin")));
  }
  EXPECT_EQ(Tarvexc({"check", "absent.inf"}).err, "Error reading file keyword.txt !\n");
}

TEST_F(TarvexcTest, BadFilesGetTheirMessages) {
  std::filesystem::create_directory(dir.Path("folder.inf"));
  struct Case {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"generate", "absent.inf"}, "Error reading file absent.inf !\n"},
      {{"generate", "folder.inf"}, "Error reading file folder.inf !\n"},
      {{"generate", "notes.txt"}, "Incorrect file extension.\n"},
      {{"check", "notes.bin"}, "Incorrect file extension.\n"},
      {{"convert", "site.inf"}, std::string("Incorrect file extension.") + kUnable},
      {{"convert", "absent.bin"}, "This is not a valid Tarvex file.\n"},
      {{"generate", "absent.bin"}, "This is not a valid Tarvex file.\n"},
  };
  for (const Case& c : cases) {
    const Outcome r = Tarvexc(c.args);
    EXPECT_EQ(r.status, 1) << c.args[1];
    EXPECT_EQ(r.err, c.err) << c.args[1];
  }
  dir.Write("empty.inf", "\r\n");
  EXPECT_EQ(Tarvexc({"generate", "empty.inf"}).err,
            "There are no keywords to generate.\nUnable to generate the 'Policy.bin' file.\n");
}

TEST_F(TarvexcTest, ConvertAndGenerateTurnABinaryBackIntoItsSource) {
  dir.Write("site.inf", "; site\r\nTimeout = 30\n");
  ASSERT_EQ(Tarvexc({"generate", "site.inf"}).status, 0);
  const Outcome convert = Tarvexc({"convert", "policy.bin"});
  EXPECT_EQ(convert.status, 0);
  EXPECT_EQ(convert.out, "Untitled.inf file is generated successfully.\n");
  EXPECT_EQ(ReadFile(dir.Path("Untitled.inf")), "; site\r\nTimeout = 30\n\r\n");

  std::filesystem::create_directory(dir.Path("out"));
  EXPECT_EQ(Tarvexc({"convert", "policy.bin", "-o", "out/restored.inf"}).status, 0);
  EXPECT_EQ(ReadFile(dir.Path("out/restored.inf")), ReadFile(dir.Path("Untitled.inf")));

  const Outcome generate = Tarvexc({"generate", "policy.bin"});
  EXPECT_EQ(generate.status, 0);
  EXPECT_EQ(generate.out, "policy.inf file is generated successfully.\n");
  EXPECT_EQ(ReadFile(dir.Path("policy.inf")), ReadFile(dir.Path("Untitled.inf")));
}

// The program as a script would run it: through the system's shell
// (cmd.exe on Windows, whose console text ends lines with CR LF).
#ifdef _WIN32
const char kNull[] = "NUL";
int ExitStatus(int systemResult) {
  return systemResult;
}
std::string Quoted(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return '"' + path + '"';
}
std::string InFolder(const std::string& dir) {
  return "cd /d " + Quoted(dir) + " && ";
}
std::string ConsoleText(std::string text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
  return text;
}
#else
const char kNull[] = "/dev/null";
int ExitStatus(int systemResult) {
  return WEXITSTATUS(systemResult);
}
std::string Quoted(const std::string& path) {
  return "'" + path + "'";
}
std::string InFolder(const std::string& dir) {
  return "cd " + Quoted(dir) + " && ";
}
std::string ConsoleText(const std::string& text) {
  return text;
}
#endif

// The installed program, as a script would run it, on the shipped example.
TEST(TarvexcProgram, CompilesTheShippedExample) {
  TempDir dir;
  for (const auto& e : std::filesystem::directory_iterator(TARVEX_EXAMPLES_DIR)) {
    const std::string name = e.path().filename().string();
    if (name != "policy.bin" && name != "Untitled.inf") {
      std::filesystem::copy_file(e.path(), dir.path() / name);
    }
  }
  const std::string cd = InFolder(dir.path().string()) + Quoted(TARVEXC_PATH) + " ";
  const auto run = [&](const std::string& args) {
    return ExitStatus(std::system((cd + args).c_str()));
  };
  EXPECT_EQ(run("generate policy.inf >out.txt 2>err.txt"), 0);
  EXPECT_EQ(ConsoleText(ReadFile(dir.Path("out.txt"))),
            "policy.bin file is generated successfully.\n");
  EXPECT_EQ(ReadFile(dir.Path("err.txt")), "");
  EXPECT_EQ(run("generate faulty.inf >out.txt 2>err.txt"), 1);
  EXPECT_TRUE(
      ConsoleText(ReadFile(dir.Path("err.txt")))
          .starts_with("faulty.inf:8:18: error: \"5000\" is not within a valid range.  \n"));
  EXPECT_EQ(run(std::string("frobnicate 2>") + kNull), 2);

  ASSERT_EQ(run(std::string("convert policy.bin -o back.inf >") + kNull), 0);
  // The restored source is the original with the key file's bytes in hex.
  std::string expected = ReadFile(dir.Path("policy.inf"));
  const std::string key = ReadFile(dir.Path("peer.key"));
  std::string hex;
  for (unsigned char b : key) {
    hex += "0123456789ABCDEF"[b >> 4];
    hex += "0123456789ABCDEF"[b & 15];
  }
  const std::size_t at = expected.find("PeerLinkKey = peer.key");
  ASSERT_NE(at, std::string::npos);
  expected.replace(at, 22, "PeerLinkKey =" + hex);
  EXPECT_EQ(ReadFile(dir.Path("back.inf")), expected);
}

}  // namespace
}  // namespace tarvex
