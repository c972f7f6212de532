// Round trips on arbitrary bytes.
//  1. Any bytes enciphered (in chunks the input chooses) and deciphered,
//     in bulk and through LineCipherReader, give the same bytes, and the
//     enciphered bytes are those of the direct form of the cipher, on
//     every form of the enciphering kernel the processor runs.
//  2. The input without its zero bytes, as a policy source: the writer
//     gives the body the format prescribes plus the time-stamp line, and
//     converting that file gives back the body. When a PeerLinkKey line
//     names no usable key file, the writer fails with 5450 and the earlier
//     policy.bin stays as it was.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "cipher/cipher_path.h"
#include "cipher/line_cipher.h"
#include "cipher/line_cipher_reader.h"
#include "cipher/reference_line_cipher.h"
#include "commands/main_frame_logic.h"
#include "fuzz_support.h"
#include "platform/fake_window_system.h"
#include "platform/resource_ids.h"
#include "policyfile/key_file.h"

namespace tarvex::fuzz {
namespace {

const SystemTime kClock{2026, 3, 2, 17, 23, 59, 1};
const std::string kStampLine = "TimeStamp = 202603217235901\r\n";

uint8_t* Bytes(std::string& s) {
  return reinterpret_cast<uint8_t*>(s.data());
}

void CipherRoundTripOnePath(const std::string& plain) {
  testing::ReferenceLineCipher reference;
  const std::string expected = reference.Encipher(plain);

  // Chunk lengths from the input itself, so that the fuzzer explores cuts.
  LineCipher enc;
  std::string enciphered = plain;
  for (std::size_t pos = 0, i = 0; pos < plain.size(); ++i) {
    const std::size_t n = std::min<std::size_t>(
        1 + static_cast<uint8_t>(plain[i % plain.size()]) % 97, plain.size() - pos);
    enc.EncipherBytes(Bytes(enciphered) + pos, n, Bytes(enciphered) + pos);  // in place
    pos += n;
  }
  FUZZ_CHECK(enciphered == expected);
  FUZZ_CHECK(enc.carry == reference.carry && enc.prevProduct == reference.prevProduct);
  FUZZ_CHECK(std::memcmp(enc.workKey, reference.workKey, sizeof enc.workKey) == 0);
  FUZZ_CHECK(std::memcmp(enc.subkey, reference.subkey, sizeof enc.subkey) == 0);
  FUZZ_CHECK(enc.mixWord == reference.mixWord && enc.stepIndex == reference.stepIndex);

  LineCipher dec;
  std::string back(enciphered.size(), '\0');
  dec.DecipherBytes(Bytes(enciphered), enciphered.size(), Bytes(back));
  FUZZ_CHECK(back == plain);

  LineCipherReader reader;
  FUZZ_CHECK(reader.OpenBinary(ScratchFolder::Get().Write("stream.bin", enciphered)));
  std::string lines, line;
  while (reader.ReadLine(&line)) {
    FUZZ_CHECK(!line.empty() && line.back() == '\n');
    lines += line;
    line.clear();
  }
  FUZZ_CHECK(lines + line == plain);
}

// Every form of the enciphering kernel this processor can run.
void CipherRoundTrip(const std::string& plain) {
  for (CipherPath path : AllCipherPaths()) {
    if (!ForceCipherPath(path)) continue;
    CipherRoundTripOnePath(plain);
  }
  ResetCipherPath();
}

struct Body {
  bool writable = true;  // false: a PeerLinkKey line names no usable key file
  std::string rawKeyName;
  std::string text;
};

// The body of the policy binary file of `source`, from the format's rules.
Body ModelBody(const std::string& source) {
  Body body;
  for (std::string piece : ModelPieces(source, /*textMode=*/false)) {
    if (piece.find("TimeStamp = ") != std::string::npos) continue;
    if (const std::size_t equals = FindKeyFileLine(piece); equals != 0) {
      const std::string raw = piece.substr(equals + 1);
      if (EmbedKeyFile(&piece, equals) == 0) {
        body.writable = false;
        body.rawKeyName = raw;
        return body;
      }
    }
    body.text += piece;
    if (piece.find("\r\n") == std::string::npos) body.text += "\r\n";
  }
  return body;
}

void WriteAndConvert(const std::string& source) {
  ScratchFolder& folder = ScratchFolder::Get();
  folder.Empty();
  folder.Write("peer.key", std::string("\x00\x7F\x80\xFFkey", 7));
  const std::string earlier = folder.Write("policy.bin", "earlier binary");

  FakeWindowSystem ws;
  MainFrameLogic frame(ws);
  frame.SetClock([] { return kClock; });
  frame.m_sourcePath = folder.Write("source.inf", source);
  frame.m_binaryPath = earlier;
  const Body body = ModelBody(source);
  const bool written = frame.WritePolicyBinary();
  FUZZ_CHECK(written == body.writable);
  FUZZ_CHECK(ws.boxes.size() == 1);
  if (!written) {
    FUZZ_CHECK(ws.boxes[0].id == IDS_ERROR_READING_FILE);
    FUZZ_CHECK(ws.boxes[0].text == "Error reading file " + body.rawKeyName + " !");
    FUZZ_CHECK(ReadFile(earlier) == "earlier binary");
    FUZZ_CHECK(
        (folder.Entries() == std::vector<std::string>{"peer.key", "policy.bin", "source.inf"}));
    return;
  }
  FUZZ_CHECK(ws.boxes[0].id == IDS_GENERATED_SUCCESSFULLY);
  testing::ReferenceLineCipher reference;
  FUZZ_CHECK(reference.Decipher(ReadFile(earlier)) == body.text + kStampLine);

  frame.m_sourcePath = folder.Path("back.inf");
  frame.m_fromDrop = true;
  FUZZ_CHECK(frame.ConvertPolicyBinary());
  FUZZ_CHECK(ReadFile(frame.m_sourcePath) == body.text);
  FUZZ_CHECK((folder.Entries() ==
              std::vector<std::string>{"back.inf", "peer.key", "policy.bin", "source.inf"}));
}

}  // namespace
}  // namespace tarvex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace tarvex::fuzz;
  InScratchFolder here;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  CipherRoundTrip(bytes);
  std::string text;
  for (char c : bytes) {
    if (c != '\0') text += c;
  }
  WriteAndConvert(text);
  return 0;
}
