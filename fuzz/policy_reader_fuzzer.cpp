// The reading side on arbitrary .bin bytes: ProbePolicyBinary and
// ConvertPolicyBinary against a model built on the direct form of the
// cipher. The conversion keeps every whole deciphered line without
// "TimeStamp = ", each cut at its first zero byte, replaces the earlier
// source only as a whole, and leaves no temporary file behind.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cipher/reference_line_cipher.h"
#include "commands/main_frame_logic.h"
#include "fuzz_support.h"
#include "platform/fake_window_system.h"
#include "platform/resource_ids.h"
#include "policyfile/policy_reader.h"

namespace tarvex::fuzz {
namespace {

struct Model {
  bool recognised = false;
  std::string source;
};

Model ModelOf(const std::string& bytes) {
  testing::ReferenceLineCipher cipher;
  const std::string plain = cipher.Decipher(bytes);
  Model m;
  std::size_t start = 0;
  for (std::size_t lf; (lf = plain.find('\n', start)) != std::string::npos; start = lf + 1) {
    const std::string line = plain.substr(start, lf + 1 - start);
    if (line.find("TimeStamp = ") != std::string::npos) {
      m.recognised = true;
    } else {
      m.source += line.substr(0, line.find('\0'));
    }
  }
  return m;
}

}  // namespace
}  // namespace tarvex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace tarvex;
  using namespace tarvex::fuzz;
  InScratchFolder here;
  ScratchFolder& folder = ScratchFolder::Get();
  folder.Empty();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string binary = folder.Write("input.bin", bytes);
  const Model model = ModelOf(bytes);

  FUZZ_CHECK(ProbePolicyBinary(binary, "TimeStamp = ") == model.recognised);

  // The conversion itself, from a drop or not, over an earlier source.
  const bool fromDrop = size % 2 == 1;
  FakeWindowSystem ws;
  MainFrameLogic frame(ws);
  frame.m_binaryPath = binary;
  frame.m_sourcePath = folder.Write("Untitled.inf", "earlier source\r\n");
  frame.m_fromDrop = fromDrop;
  FUZZ_CHECK(frame.ConvertPolicyBinary());
  FUZZ_CHECK(ReadFile(frame.m_sourcePath) == model.source);
  if (fromDrop) {
    FUZZ_CHECK(ws.events.empty());
  } else {
    FUZZ_CHECK(ws.openedDocuments == std::vector<std::string>{frame.m_sourcePath});
    FUZZ_CHECK(ws.boxes.size() == 1 && ws.boxes[0].id == IDS_GENERATED_SUCCESSFULLY);
  }
  FUZZ_CHECK((folder.Entries() == std::vector<std::string>{"Untitled.inf", "input.bin"}));

  // Generate on the .bin document: recognised files become input.inf,
  // others are refused with 5460 and nothing is written.
  FakeWindowSystem ws2;
  MainFrameLogic frame2(ws2);
  const bool generated = frame2.GenerateFromPath(binary);
  FUZZ_CHECK(generated == model.recognised);
  if (model.recognised) {
    FUZZ_CHECK(ReadFile(folder.Path("input.inf")) == model.source);
  } else {
    FUZZ_CHECK(ws2.boxes.size() == 1 && ws2.boxes[0].id == IDS_NOT_VALID_FILE);
    FUZZ_CHECK((folder.Entries() == std::vector<std::string>{"Untitled.inf", "input.bin"}));
  }
  return 0;
}
