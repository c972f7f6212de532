#include "lsp/transport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tarvex::lsp {
namespace {

struct FramingCase {
  const char* name;
  std::string input;
  std::vector<std::string> bodies;  // read before the end
  ReadStatus last;
};

TEST(Transport, ReadsFramesAndTellsEndFromBrokenFraming) {
  const std::vector<FramingCase> cases = {
      {"two messages",
       "Content-Length: 2\r\n\r\n{}Content-Length: 3\r\n\r\n[1]",
       {"{}", "[1]"},
       ReadStatus::kEnd},
      {"other headers and case",
       "content-type: x\r\nCONTENT-LENGTH:  1 \r\n\r\n1",
       {"1"},
       ReadStatus::kEnd},
      {"bare line feeds", "Content-Length: 1\n\n1", {"1"}, ReadStatus::kEnd},
      {"empty input", "", {}, ReadStatus::kEnd},
      {"no length", "Content-Type: x\r\n\r\n{}", {}, ReadStatus::kBroken},
      {"length not a number", "Content-Length: 1x\r\n\r\n1", {}, ReadStatus::kBroken},
      {"negative length", "Content-Length: -1\r\n\r\n", {}, ReadStatus::kBroken},
      {"absurd length", "Content-Length: 99999999999\r\n\r\n", {}, ReadStatus::kBroken},
      {"header line without colon", "Hello\r\n\r\n", {}, ReadStatus::kBroken},
      {"ends inside the header", "Content-Length: 5\r\n", {}, ReadStatus::kBroken},
      {"ends inside the body", "Content-Length: 5\r\n\r\n{}", {}, ReadStatus::kBroken},
      {"endless header line", std::string(5000, 'x'), {}, ReadStatus::kBroken},
  };
  for (const FramingCase& c : cases) {
    std::istringstream in(c.input);
    std::ostringstream out;
    Transport t(in, out);
    std::string body;
    std::vector<std::string> bodies;
    ReadStatus s;
    while ((s = t.Read(&body)) == ReadStatus::kMessage) bodies.push_back(body);
    EXPECT_EQ(bodies, c.bodies) << c.name;
    EXPECT_EQ(s, c.last) << c.name;
    if (s == ReadStatus::kBroken) {
      EXPECT_FALSE(t.error().empty()) << c.name;
    }
  }
}

TEST(Transport, WritesLengthInBytes) {
  std::istringstream in;
  std::ostringstream out;
  Transport(in, out).Write("\"\xC3\xA9\"");
  EXPECT_EQ(out.str(), "Content-Length: 4\r\n\r\n\"\xC3\xA9\"");
}

}  // namespace
}  // namespace tarvex::lsp
