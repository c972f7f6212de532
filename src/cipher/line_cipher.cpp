#include "cipher/line_cipher.h"

#include <cstring>

#include "cipher/cipher_path.h"
#include "cipher/running_form.h"
#include "platform/byte_sink.h"

namespace tarvex {
namespace {

using running::Lo16;
constexpr uint32_t kCarryFactor = running::kM;
constexpr uint32_t kSubkeyFactor = running::kK;

// The key word of a byte pair: the second byte counts as a signed byte.
constexpr uint16_t KeyWord(uint8_t high, uint8_t low) {
  return Lo16(uint32_t{high} * 256u +
              static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(low))));
}

}  // namespace

LineCipher::LineCipher() : carry(0), prevProduct(0), subkey{}, stepIndex(0), mixWord(0) {
  std::memcpy(workKey, kCipherKey, kCipherKeyLength + 1);
}

uint16_t LineCipher::RunStep() {
  const unsigned j = stepIndex & 7u;
  const uint32_t w = subkey[j];
  const uint16_t newCarry =
      Lo16((uint32_t{carry} + j) * kCarryFactor + w * kSubkeyFactor + prevProduct);
  prevProduct = Lo16(w * kSubkeyFactor);
  subkey[j] = Lo16(w * kCarryFactor + 1);
  carry = newCarry;
  stepIndex = static_cast<uint16_t>(j + 1);
  return static_cast<uint16_t>(subkey[j] ^ carry);
}

uint8_t LineCipher::NextKeystreamByte() {
  for (unsigned j = 0; j < 8; ++j) {
    uint16_t kw = KeyWord(workKey[2 * j], workKey[2 * j + 1]);
    subkey[j] = j == 0 ? kw : static_cast<uint16_t>(kw ^ subkey[j - 1]);
    stepIndex = static_cast<uint16_t>(j);
    uint16_t result = RunStep();
    mixWord = j == 0 ? result : static_cast<uint16_t>(mixWord ^ result);
  }
  stepIndex = 0;
  return static_cast<uint8_t>((mixWord >> 8) ^ (mixWord & 0xFF));
}

uint8_t LineCipher::EncipherByte(uint8_t plain) {
  uint8_t k = NextKeystreamByte();
  for (int i = 0; i < kCipherKeyLength; ++i) workKey[i] ^= plain;
  return static_cast<uint8_t>(plain ^ k);
}

uint8_t LineCipher::DecipherByte(uint8_t enciphered) {
  uint8_t plain = static_cast<uint8_t>(enciphered ^ NextKeystreamByte());
  for (int i = 0; i < kCipherKeyLength; ++i) workKey[i] ^= plain;
  return plain;
}

bool LineCipher::RunningByte(uint8_t* r) const {
  if (workKey[kCipherKeyLength] != 0) return false;
  const uint8_t candidate = static_cast<uint8_t>(workKey[0] ^ static_cast<uint8_t>(kCipherKey[0]));
  for (int i = 1; i < kCipherKeyLength; ++i) {
    if (static_cast<uint8_t>(workKey[i] ^ static_cast<uint8_t>(kCipherKey[i])) != candidate) {
      return false;
    }
  }
  *r = candidate;
  return true;
}

bool LineCipher::EnterRunning(running::RunningState* st) const {
  uint8_t r;
  if (!RunningByte(&r)) return false;
  st->r = r;
  st->t = Lo16(kCarryFactor * carry + prevProduct);
  return true;
}

void LineCipher::LeaveRunning(const running::RunningState& st) {
  const running::Tables& tb = running::GetTables();
  for (int i = 0; i < kCipherKeyLength; ++i) {
    workKey[i] = static_cast<uint8_t>(static_cast<uint8_t>(kCipherKey[i]) ^ st.r);
  }
  // The last position's steps, once more, give the record's other fields.
  const uint32_t t = st.lastT;
  const uint8_t r = st.lastR;
  uint16_t mix = tb.sx[r];
  for (int j = 0; j < 8; ++j) mix = static_cast<uint16_t>(mix ^ Lo16(tb.mj[j] * t + tb.g[r][j]));
  std::memcpy(subkey, tb.s[r], sizeof subkey);
  carry = Lo16(tb.mj[7] * t + tb.g[r][7]);
  prevProduct = tb.q[r];
  mixWord = mix;
  stepIndex = 0;
}

void LineCipher::EncipherBytes(const uint8_t* in, std::size_t n, uint8_t* out) {
  if (n == 0) return;
  running::RunningState st;
  if (!EnterRunning(&st)) {
    for (std::size_t i = 0; i < n; ++i) out[i] = EncipherByte(in[i]);
    return;
  }
  running::EncipherRunning(ActiveCipherPath(), in, n, out, &st);
  LeaveRunning(st);
}

template <bool kStopAtLineFeed>
std::size_t LineCipher::DecipherRun(const uint8_t* in, std::size_t n, uint8_t* out) {
  if (n == 0) return 0;
  running::RunningState st;
  if (!EnterRunning(&st)) {
    for (std::size_t i = 0; i < n; ++i) {
      out[i] = DecipherByte(in[i]);
      if (kStopAtLineFeed && out[i] == '\n') return i + 1;
    }
    return n;
  }
  const std::size_t used = running::DecipherRunning(in, n, out, kStopAtLineFeed, &st);
  LeaveRunning(st);
  return used;
}

void LineCipher::DecipherBytes(const uint8_t* in, std::size_t n, uint8_t* out) {
  DecipherRun<false>(in, n, out);
}

std::size_t LineCipher::DecipherLine(const uint8_t* in, std::size_t n, uint8_t* out) {
  return DecipherRun<true>(in, n, out);
}

bool LineCipher::EncipherText(std::string_view text, ByteSink& out) {
  text = text.substr(0, text.find('\0'));
  bool ok = true;
  uint8_t buffer[4096];
  while (!text.empty()) {
    const std::size_t n = text.size() < sizeof buffer ? text.size() : sizeof buffer;
    EncipherBytes(reinterpret_cast<const uint8_t*>(text.data()), n, buffer);
    if (!out.Write(std::string_view(reinterpret_cast<const char*>(buffer), n))) ok = false;
    text.remove_prefix(n);
  }
  return ok;
}

void LineCipher::Wipe() {
  std::memset(workKey, 0, kCipherKeyLength);
  carry = 0;
  prevProduct = 0;
  std::memset(subkey, 0, sizeof subkey);
  stepIndex = 0;
  mixWord = 0;
}

}  // namespace tarvex
