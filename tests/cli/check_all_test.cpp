// tarvexc check with --all and --format=json.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/tarvexc.h"
#include "support/param_name.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {

struct Case {
  const char* name;
  std::vector<std::string> args;  // "a.inf" is the source below
  std::string source;
  int status;
  std::string out, err;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

const std::string kFaulty = "Timeout 5\r\nEnable = yes\r\nName = ok\r\nTimeout = 1\\\r\nx\r\n";
const std::string kUnable = "\nUnable to generate the 'Policy.bin' file.";
const std::string kMissing =
    "a.inf:1:1: error: Incorrect syntax, '=' is missing on line 1 ." + kUnable + "\n";
const std::string kBool =
    "a.inf:2:10: error: Invalid boolean value on line 2 !  \nThis keyword can only be assigned "
    "with a boolean value (i.e. true or false)." +
    kUnable + "\n";
const std::string kConcat =
    "a.inf:4:1: error: Invalid use of line concatenation detected on line 4.\nOnly string type "
    "keyword can use line concatenation." +
    kUnable + "\n";

std::string Json(const std::string& entries) {
  return "[" + entries + "]";
}

class CheckAllTest : public ::testing::TestWithParam<Case> {};

TEST_P(CheckAllTest, Reports) {
  const Case& c = GetParam();
  testing::TempDir dir(/*enter=*/true);
  dir.Write("keyword.txt", "Timeout,int,1,60\r\nEnable,bool\r\nName,string\r\n");
  dir.Write("a.inf", c.source);
  std::ostringstream out, err;
  EXPECT_EQ(RunTarvexc(c.args, out, err), c.status);
  if (c.out.starts_with("[")) {
    // JSON is compared as data, and its member order as the report promises.
    const nlohmann::ordered_json got = nlohmann::ordered_json::parse(out.str());
    EXPECT_EQ(got, nlohmann::ordered_json::parse(c.out)) << out.str();
  } else {
    EXPECT_EQ(out.str(), c.out);
  }
  EXPECT_EQ(err.str(), c.err);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckAllTest,
    ::testing::Values(
        Case{"first fault only, as today", {"check", "a.inf"}, kFaulty, 1, "", kMissing},
        Case{
            "every fault", {"check", "--all", "a.inf"}, kFaulty, 1, "", kMissing + kBool + kConcat},
        Case{"sound source with --all", {"check", "--all", "a.inf"}, "Name = x\r\n", 0, "", ""},
        Case{"blank source with --all has no location",
             {"check", "--all", "a.inf"},
             "\r\n",
             1,
             "",
             "There are no keywords to generate." + kUnable + "\n"},
        Case{"json, first fault",
             {"check", "--format=json", "a.inf"},
             kFaulty,
             1,
             Json(R"({"file":"a.inf","line":1,"column":1,"endLine":1,"endColumn":10,"id":5461,)"
                  R"("message":"Incorrect syntax, '=' is missing on line 1 .\nUnable to generate )"
                  R"(the 'Policy.bin' file."})"),
             ""},
        Case{"json, every fault, the range of a continued entry",
             {"check", "--all", "--format", "json", "a.inf"},
             "Timeout = 1\\\r\nx\r\n= 1\n",
             1,
             Json(R"({"file":"a.inf","line":1,"column":1,"endLine":1,"endColumn":13,"id":5464,)"
                  R"("message":"Invalid use of line concatenation detected on line 1.\nOnly )"
                  R"(string type keyword can use line concatenation.\nUnable to generate the )"
                  R"('Policy.bin' file."},)"
                  R"({"file":"a.inf","line":3,"column":1,"endLine":4,"endColumn":1,"id":5459,)"
                  R"("message":"Error detect on line 3.  Keyword cannot be blank.\nUnable to )"
                  R"(generate the 'Policy.bin' file."})"),
             ""},
        Case{"json decodes code page 1252",
             {"check", "--format=json", "a.inf"},
             "Caf\xE9 = \x80\r\n",
             1,
             Json(R"({"file":"a.inf","line":1,"column":1,"endLine":1,"endColumn":5,"id":5447,)"
                  R"("message":"\"Café\" on line number 1 is not a valid keyword.\nUnable to )"
                  R"(generate the 'Policy.bin' file."})"),
             ""},
        Case{
            "json, sound source", {"check", "--format=json", "a.inf"}, "Name = x\r\n", 0, "[]", ""},
        Case{"json, unreadable source",
             {"check", "--format=json", "missing.inf"},
             "",
             1,
             "",
             "Error reading file missing.inf !\n"},
        Case{"unknown format",
             {"check", "--format=xml", "a.inf"},
             "",
             2,
             "",
             "tarvexc: unknown format 'xml' (text or json)\n"
             "Usage: tarvexc [--keywords PATH] generate FILE\n"
             "       tarvexc [--keywords PATH] check [--all] [--format=text|json] FILE.inf\n"
             "       tarvexc convert FILE.bin [-o OUT.inf]\n"
             "       tarvexc lsp [--keywords PATH]\n"
             "Try 'tarvexc --help' for more information.\n"},
        Case{"--all goes with check only",
             {"generate", "--all", "a.inf"},
             "",
             2,
             "",
             "tarvexc: option '--all' goes with check only\n"
             "Usage: tarvexc [--keywords PATH] generate FILE\n"
             "       tarvexc [--keywords PATH] check [--all] [--format=text|json] FILE.inf\n"
             "       tarvexc convert FILE.bin [-o OUT.inf]\n"
             "       tarvexc lsp [--keywords PATH]\n"
             "Try 'tarvexc --help' for more information.\n"}),
    testing::CaseName());

}  // namespace
}  // namespace tarvex
