#include "shell/command_line.h"

#include <gtest/gtest.h>

namespace tarvex::shell {
namespace {

using Shell = CommandLineInfo::Shell;

struct Case {
  const char* name;
  std::vector<std::string> args;
  Shell shell;
  bool embedded;
  std::string file;
  std::string printer;
};

void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

class CommandLineTest : public ::testing::TestWithParam<Case> {};

TEST_P(CommandLineTest, ReadsRequest) {
  const Case& c = GetParam();
  const CommandLineInfo info = ParseCommandLine(c.args);
  EXPECT_EQ(info.shell, c.shell);
  EXPECT_EQ(info.runEmbedded, c.embedded);
  EXPECT_EQ(info.fileName, c.file);
  EXPECT_EQ(info.printerName, c.printer);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTest,
    ::testing::Values(
        Case{"Nothing", {}, Shell::kFileNew, false, "", ""},
        Case{"Path", {"a.inf"}, Shell::kFileOpen, false, "a.inf", ""},
        Case{"FirstParameterIsTheFile", {"a.inf", "b.inf"}, Shell::kFileOpen, false, "a.inf", ""},
        Case{"PrintSlash", {"/p", "a.inf"}, Shell::kFilePrint, false, "a.inf", ""},
        Case{"PrintAfterPath", {"a.inf", "-p"}, Shell::kFilePrint, false, "a.inf", ""},
        Case{"CapitalPIsIgnored", {"/P"}, Shell::kFileNew, false, "", ""},
        Case{"PrintTo",
             {"/pt", "a.inf", "Office", "drv", "lpt1"},
             Shell::kFilePrintTo,
             false,
             "a.inf",
             "Office"},
        Case{
            "CapitalPtIsIgnored", {"/PT", "a.inf", "Office"}, Shell::kFileOpen, false, "a.inf", ""},
        Case{"Dde", {"/dde"}, Shell::kFileDde, false, "", ""},
        Case{"DdeWithCaseIsNotDde", {"/DDE"}, Shell::kFileNew, false, "", ""},
        Case{"EmbeddingAnyCase", {"-embedding"}, Shell::kFileNew, true, "", ""},
        Case{"Automation", {"/AUTOMATION"}, Shell::kFileNew, true, "", ""},
        Case{"Unregister", {"/Unregister"}, Shell::kAppUnregister, false, "", ""},
        Case{"Unregserver", {"-unregserver"}, Shell::kAppUnregister, false, "", ""},
        Case{"UnknownSwitchIgnored", {"-x", "a.inf"}, Shell::kFileOpen, false, "a.inf", ""},
        Case{"AbsolutePathIsAFile", {"/etc/p", "/p"}, Shell::kFilePrint, false, "/etc/p", ""},
        Case{"RootFileIsAFile", {"/gateway.inf"}, Shell::kFileOpen, false, "/gateway.inf", ""},
        Case{"LoneDashIsNoFile", {"-"}, Shell::kFileNew, false, "", ""}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// "--help" and "--version" are asked for by their whole word only: the
// desktop's one-dash switches keep their meaning.
TEST(CommandLineInformationTest, HelpAndVersionOnlyByTheirWholeWord) {
  struct Info {
    std::vector<std::string> args;
    bool help;
    bool version;
  };
  for (const Info& c : std::vector<Info>{{{"--help"}, true, false},
                                         {{"a.inf", "--version"}, false, true},
                                         {{"-help"}, false, false},
                                         {{"/-version"}, false, false},
                                         {{"--HELP"}, false, false},
                                         {{"-p", "a.inf"}, false, false}}) {
    const CommandLineInfo info = ParseCommandLine(c.args);
    EXPECT_EQ(info.showHelp, c.help) << c.args[0];
    EXPECT_EQ(info.showVersion, c.version) << c.args[0];
  }
}

}  // namespace
}  // namespace tarvex::shell
