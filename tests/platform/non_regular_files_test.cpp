// Files that are not regular files - a FIFO, a device, either one reached
// through a symbolic link, a folder - are refused at every place Tarvex
// opens a file, with the message that place gives an unreadable file, and
// without waiting on a FIFO or reading a device forever.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>

#include "commands/main_frame_logic.h"
#include "keywords/keyword_file.h"
#include "platform/fake_window_system.h"
#include "platform/regular_file.h"
#include "platform/resource_ids.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {
using testing::TempDir;

// Makes `name` in `dir` a non-regular file of the given kind.
struct Kind {
  const char* name;
  void (*make)(const std::string& path);
};
const Kind kKinds[] = {
    {"FIFO", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
    {"link to /dev/zero",
     [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); }},
    {"link to a FIFO",
     [](const std::string& p) {
       ASSERT_EQ(::mkfifo((p + ".fifo").c_str(), 0600), 0);
       std::filesystem::create_symlink(p + ".fifo", p);
     }},
    {"folder", [](const std::string& p) { std::filesystem::create_directory(p); }},
};

TEST(OpenRegularFile, OpensRegularFilesAndLinksToThemOnly) {
  TempDir dir;
  const std::string file = dir.Write("plain.txt", "text");
  std::filesystem::create_symlink(file, dir.Path("link.txt"));
  for (const std::string& path : {file, dir.Path("link.txt")}) {
    std::FILE* f = OpenRegularFile(path);
    ASSERT_NE(f, nullptr) << path;
    char buffer[8] = {};
    EXPECT_EQ(std::fread(buffer, 1, sizeof buffer, f), 4u);
    std::fclose(f);
  }
  EXPECT_EQ(OpenRegularFile("/dev/zero"), nullptr);
  EXPECT_EQ(OpenRegularFile(dir.Path("absent")), nullptr);
  EXPECT_EQ(OpenRegularFile(""), nullptr);
  for (const Kind& kind : kKinds) {
    const std::string path = dir.Path(std::string("x") + std::to_string(&kind - kKinds));
    kind.make(path);
    EXPECT_EQ(OpenRegularFile(path), nullptr) << kind.name;
  }
}

class RefusedAtEveryOpenSite : public ::testing::TestWithParam<Kind> {
 protected:
  RefusedAtEveryOpenSite() : dir(/*enter=*/true), frame(ws) {
    table.Append({"Timeout", "int", "1", "99"});
    frame.SetKeywordTable(&table);
  }
  // A non-regular file of this kind at `name` in the folder.
  std::string Make(const std::string& name) {
    const std::string path = dir.Path(name);
    GetParam().make(path);
    return path;
  }
  TempDir dir;
  FakeWindowSystem ws;
  MainFrameLogic frame;
  KeywordTable table;
};

TEST_P(RefusedAtEveryOpenSite, Source) {
  const std::string source = Make("policy.inf");
  EXPECT_FALSE(frame.GenerateFromPath(source));
  EXPECT_EQ(ws.texts(), std::vector<std::string>{"Error reading file " + source + " !"});
  frame.m_sourcePath = source;  // the writer's own opening of the source
  frame.m_binaryPath = dir.Path("policy.bin");
  EXPECT_FALSE(frame.WritePolicyBinary());
  EXPECT_EQ(ws.texts().back(), "Error reading file " + source + " !");
  EXPECT_FALSE(std::filesystem::exists(frame.m_binaryPath));
}

TEST_P(RefusedAtEveryOpenSite, Dictionary) {
  const std::string dictionary = Make("keyword.txt");
  KeywordTable loaded;
  EXPECT_FALSE(LoadKeywordFile(loaded, dictionary, ws));
  EXPECT_TRUE(loaded.empty());
  ASSERT_EQ(ws.boxes.size(), 1u);
  EXPECT_EQ(ws.boxes[0].id, IDS_ERROR_READING_FILE);
  EXPECT_EQ(ws.boxes[0].text, "Error reading file " + dictionary + " !");
}

TEST_P(RefusedAtEveryOpenSite, KeyFile) {
  Make("peer.key");
  frame.m_sourcePath = dir.Write("policy.inf", "PeerLinkKey = peer.key\r\n");
  frame.m_binaryPath = dir.Write("policy.bin", "earlier");
  EXPECT_FALSE(frame.WritePolicyBinary());
  EXPECT_EQ(ws.texts(), std::vector<std::string>{"Error reading file  peer.key\r\n !"});
  EXPECT_EQ(testing::ReadFile(frame.m_binaryPath), "earlier");
}

TEST_P(RefusedAtEveryOpenSite, PolicyBinary) {
  const std::string binary = Make("policy.bin");
  const std::string earlier = dir.Write("Untitled.inf", "earlier\r\n");
  EXPECT_FALSE(frame.OpenPolicyFile(binary));
  EXPECT_EQ(ws.texts(), std::vector<std::string>{"This is not a valid Tarvex file."});
  frame.m_binaryPath = binary;
  frame.m_sourcePath = earlier;
  EXPECT_FALSE(frame.ConvertPolicyBinary());
  EXPECT_EQ(ws.texts().back(), "Error reading file " + binary + " !");
  EXPECT_EQ(testing::ReadFile(earlier), "earlier\r\n");
}

INSTANTIATE_TEST_SUITE_P(EveryKind, RefusedAtEveryOpenSite, ::testing::ValuesIn(kKinds),
                         [](const ::testing::TestParamInfo<Kind>& info) {
                           std::string name;
                           for (const char* c = info.param.name; *c != '\0'; ++c) {
                             if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                           }
                           return name;
                         });

}  // namespace
}  // namespace tarvex
#endif  // _WIN32
