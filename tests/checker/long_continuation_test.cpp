// A value continued over very many lines: every line is joined, blank
// continuation lines and blanks after a backslash keep the entry going, and
// the lines after it are numbered on. (Joining used to copy the whole value
// for every line, which took minutes for a few megabytes.)
#include <gtest/gtest.h>

#include "commands/main_frame_logic.h"
#include "platform/fake_window_system.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {

TEST(LongContinuation, EveryLineIsJoinedAndNumberingGoesOn) {
  testing::TempDir dir;
  KeywordTable table;
  table.Append({"Banner", "string", "", ""});
  FakeWindowSystem ws;
  MainFrameLogic frame(ws);
  frame.SetKeywordTable(&table);

  constexpr int kLines = 40000;
  std::string source = "Banner = start \\\r\n";
  for (int i = 0; i < kLines; ++i) {
    // Every third line is blank; others end in a backslash followed by blanks.
    source += i % 3 == 2 ? "\r\n" : "  part " + std::to_string(i) + " \\ \t \r\n";
  }
  source += "end\r\nUnknown = 1\r\n";  // "end" closes the value; the next line is an entry
  frame.m_sourcePath = dir.Write("long.inf", source);
  ws.viewText = source;

  EXPECT_FALSE(frame.CheckSource());
  const int unknownLine = 1 + kLines + 1 + 1;
  EXPECT_EQ(ws.texts(),
            std::vector<std::string>{"\"Unknown\" on line number " + std::to_string(unknownLine) +
                                     " is not a valid keyword.\nUnable to generate the "
                                     "'Policy.bin' file."});
}

}  // namespace
}  // namespace tarvex
