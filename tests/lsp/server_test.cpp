// Transcripts: messages in, messages out, compared field by field.
#include "lsp/server.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/temp_dir.h"

namespace tarvex::lsp {
namespace {

std::string FrameBody(const std::string& body) {
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string Frame(const Json& j) {
  return FrameBody(j.dump());
}

struct Session {
  int status = 0;
  std::vector<Json> out;
  std::string log;
};

Session Serve(const std::string& input, std::optional<std::string> keywords = std::nullopt) {
  std::istringstream in(input);
  std::ostringstream out, log;
  Transport t(in, out);
  Server server(t, log, std::move(keywords));
  Session s;
  s.status = server.Run();
  s.log = log.str();
  std::istringstream replies(out.str());
  Transport back(replies, log);
  std::string body;
  while (back.Read(&body) == ReadStatus::kMessage) s.out.push_back(Json::parse(body));
  return s;
}

Json Request(int id, const std::string& method, Json params = Json::object()) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}};
}

Json Note(const std::string& method, Json params = Json::object()) {
  return {{"jsonrpc", "2.0"}, {"method", method}, {"params", params}};
}

// The "file:" URI of a local path, as a client writes it on either system.
std::string FileUri(std::string path) {
#ifdef _WIN32
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return "file:///" + path;
#else
  return "file://" + path;
#endif
}

class ServerTest : public ::testing::Test {
 protected:
  ServerTest() {
    dir.Write("keyword.txt", "Timeout,int,1,60\r\nEnable,bool\r\nName,string\r\n");
    uri = FileUri(dir.Path("a%20b.inf"));
  }
  std::string Open(const std::string& text) {
    return Frame(Request(1, "initialize")) + Frame(Note("initialized")) +
           Frame(
               Note("textDocument/didOpen",
                    {{"textDocument",
                      {{"uri", uri}, {"languageId", "tarvex"}, {"version", 1}, {"text", text}}}}));
  }
  std::string End() { return Frame(Request(99, "shutdown")) + Frame(Note("exit")); }
  testing::TempDir dir;
  std::string uri;
};

TEST_F(ServerTest, PublishesEveryFaultWithItsRangeAndMessageLines) {
  const Session s = Serve(Open("Enable = yes\r\n\xF0\x9F\x98\x80 = 1\r\n") + End());
  ASSERT_EQ(s.status, 0) << s.log;
  ASSERT_EQ(s.out.size(), 3u);
  EXPECT_TRUE(s.out[0]["result"]["capabilities"]["hoverProvider"].get<bool>());
  const Json& params = s.out[1]["params"];
  EXPECT_EQ(params["uri"], uri);
  EXPECT_EQ(params["version"], 1);
  const Json& d = params["diagnostics"];
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0]["range"], Json::parse(R"({"start":{"line":0,"character":9},
                                           "end":{"line":0,"character":12}})"));
  EXPECT_EQ(d[0]["severity"], 1);
  EXPECT_EQ(d[0]["source"], "tarvex");
  EXPECT_EQ(d[0]["code"], 5454);
  EXPECT_EQ(d[0]["message"], "Invalid boolean value on line 1 !  ");
  EXPECT_EQ(d[0]["relatedInformation"][0]["message"],
            "This keyword can only be assigned with a boolean value (i.e. true or false).");
  EXPECT_EQ(d[0]["relatedInformation"][1]["message"], "Unable to generate the 'Policy.bin' file.");
  // The astral character is "?" to the checker and two units to the client.
  EXPECT_EQ(d[1]["message"], "\"?\" on line number 2 is not a valid keyword.");
  EXPECT_EQ(d[1]["range"]["end"], Json::parse(R"({"line":1,"character":2})"));
  EXPECT_EQ(s.out[2]["result"], nullptr);
}

TEST_F(ServerTest, ChangeAndCloseRepublish) {
  const Json change =
      Note("textDocument/didChange", {{"textDocument", {{"uri", uri}, {"version", 2}}},
                                      {"contentChanges", {{{"text", "Enable = true\n"}}}}});
  const Session s =
      Serve(Open("Enable = 1\n") + Frame(change) +
            Frame(Note("textDocument/didClose", {{"textDocument", {{"uri", uri}}}})) + End());
  ASSERT_EQ(s.out.size(), 5u);
  EXPECT_EQ(s.out[1]["params"]["diagnostics"].size(), 1u);
  EXPECT_EQ(s.out[2]["params"]["version"], 2);
  EXPECT_EQ(s.out[2]["params"]["diagnostics"], Json::array());
  EXPECT_EQ(s.out[3]["params"]["diagnostics"], Json::array());
}

TEST_F(ServerTest, CompletionAndHover) {
  const Json completion =
      Request(2, "textDocument/completion",
              {{"textDocument", {{"uri", uri}}}, {"position", {{"line", 1}, {"character", 1}}}});
  const Json hover =
      Request(3, "textDocument/hover",
              {{"textDocument", {{"uri", uri}}}, {"position", {{"line", 0}, {"character", 3}}}});
  const Json hoverValue =
      Request(4, "textDocument/hover",
              {{"textDocument", {{"uri", uri}}}, {"position", {{"line", 0}, {"character", 11}}}});
  const Session s = Serve(Open("Timeout = 5\r\nt") + Frame(completion) + Frame(hover) +
                          Frame(hoverValue) + End());
  ASSERT_EQ(s.out.size(), 6u);
  EXPECT_EQ(s.out[2]["result"]["items"],
            Json::parse(R"([{"label":"Timeout","kind":14,"detail":"int, 1 to 60"}])"));
  EXPECT_EQ(s.out[3]["result"]["contents"]["value"], "Timeout: int, 1 to 60");
  EXPECT_EQ(s.out[3]["result"]["range"]["end"]["character"], 7);
  EXPECT_EQ(s.out[4]["result"], nullptr);
}

TEST_F(ServerTest, ErrorReplies) {
  const Session s =
      Serve(Frame(Request(1, "textDocument/hover")) + Open("Name = x\n") + FrameBody("{oops") +
            FrameBody("[1,2]") + Frame(Request(7, "workspace/bogus")) +
            Frame(Note("$/cancelRequest", {{"id", 1}})) +
            Frame(Request(8, "textDocument/hover", {{"position", 3}})) + End());
  ASSERT_EQ(s.status, 0);
  std::vector<std::pair<Json, int>> errors;
  for (const Json& m : s.out) {
    if (m.contains("error")) errors.push_back({m["id"], m["error"]["code"].get<int>()});
  }
  const std::vector<std::pair<Json, int>> expected = {
      {1, -32002}, {nullptr, -32700}, {nullptr, -32600}, {7, -32601}, {8, -32602}};
  EXPECT_EQ(errors, expected);
}

TEST_F(ServerTest, EndingsAndTheirStatus) {
  struct Case {
    const char* name;
    std::string input;
    int status;
    bool logged;
  };
  const std::vector<Case> cases = {
      {"shutdown then exit",
       Frame(Request(1, "initialize")) + Frame(Request(2, "shutdown")) + Frame(Note("exit")), 0,
       false},
      {"shutdown before initialize is refused", Frame(Request(1, "shutdown")) + Frame(Note("exit")),
       1, false},
      {"exit without shutdown", Frame(Note("exit")), 1, false},
      {"input ends without exit", Frame(Request(1, "initialize")), 1, true},
      {"no Content-Length", "Content-Type: x\r\n\r\n{}", 1, true},
      {"absurd Content-Length", "Content-Length: 123456789012\r\n\r\n", 1, true},
      {"input ends mid-message", "Content-Length: 50\r\n\r\n{\"jsonrpc\"", 1, true},
  };
  for (const Case& c : cases) {
    const Session s = Serve(c.input);
    EXPECT_EQ(s.status, c.status) << c.name;
    EXPECT_EQ(!s.log.empty(), c.logged) << c.name << ": " << s.log;
  }
}

TEST_F(ServerTest, MissingDictionaryIsOneDiagnosticAndGivenPathWins) {
  testing::TempDir elsewhere;
  const std::string other = elsewhere.Write("k.txt", "Other,string\n");
  uri = FileUri(elsewhere.Path("x.inf"));
  const Session missing = Serve(Open("Name = x\n") + End());
  ASSERT_EQ(missing.out[1]["params"]["diagnostics"].size(), 1u);
  EXPECT_EQ(missing.out[1]["params"]["diagnostics"][0]["message"],
            "Error reading file keyword.txt !");
  const Session given = Serve(Open("Other = x\n") + End(), other);
  EXPECT_EQ(given.out[1]["params"]["diagnostics"], Json::array());
}

TEST_F(ServerTest, DictionaryIsFoundInAParentAndReloadedWhenChanged) {
  std::filesystem::create_directories(dir.path() / "sub" / "deeper");
  KeywordSource source(std::nullopt);
  std::string problem;
  const KeywordTable* table = source.For(dir.Path("sub/deeper"), &problem);
  ASSERT_NE(table, nullptr) << problem;
  EXPECT_TRUE(table->Find("timeout"));
  // A new keyword.txt (another size) is read at the next use.
  dir.Write("keyword.txt", "Fresh,int,0,9\r\n");
  table = source.For(dir.Path("sub/deeper"), &problem);
  ASSERT_NE(table, nullptr);
  EXPECT_FALSE(table->Find("timeout"));
  EXPECT_TRUE(table->Find("fresh"));
  std::filesystem::remove(dir.path() / "keyword.txt");
  EXPECT_EQ(source.For(dir.Path("sub/deeper"), &problem), nullptr);
}

}  // namespace
}  // namespace tarvex::lsp
