#include "cipher/line_cipher.h"

#include <cstring>

#include "platform/byte_sink.h"

namespace tarvex {
namespace {

constexpr uint32_t kCarryFactor = 20021;  // 0x4E35
constexpr uint32_t kSubkeyFactor = 346;   // 0x15A

constexpr uint16_t Lo16(uint32_t v) {
  return static_cast<uint16_t>(v & 0xFFFFu);
}

// The key word of a byte pair: the second byte counts as a signed byte.
constexpr uint16_t KeyWord(uint8_t high, uint8_t low) {
  return Lo16(uint32_t{high} * 256u +
              static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(low))));
}

// The fast form rests on one fact: every plain byte is XORed into all 16
// working-key bytes, so the working key is always the key XOR one running
// byte r (the XOR of all plain bytes so far). Everything one position
// derives from the working key - the eight subkey words and what the steps
// add to the carry - is then a function of r alone, and the carry after
// step j is an affine function of the carry c and prevProduct q at the
// start of the position:
//   carry[j+1] = M^(j+1) * c + M^j * q + G[r][j],   M = 20021,
// while the step result is S[r][j] XOR carry[j+1]. A 256-row table of S, G
// and the next prevProduct Q replaces the key-word and subkey work, and the
// eight carries no longer wait on each other.
struct RunningRow {
  uint16_t s[8];  // subkey[j] after step j
  uint16_t g[8];  // the carry's constant part after step j
  uint16_t q;     // prevProduct after the position
};

struct CipherTables {
  RunningRow rows[256];
  uint16_t carryFactor[8];    // M^(j+1)
  uint16_t productFactor[8];  // M^j
};

CipherTables BuildTables() {
  CipherTables t{};
  uint32_t power = 1;
  for (int j = 0; j < 8; ++j) {
    t.productFactor[j] = Lo16(power);
    power = Lo16(power * kCarryFactor);
    t.carryFactor[j] = Lo16(power);
  }
  for (int r = 0; r < 256; ++r) {
    uint8_t key[kCipherKeyLength];
    for (int i = 0; i < kCipherKeyLength; ++i) {
      key[i] = static_cast<uint8_t>(static_cast<uint8_t>(kCipherKey[i]) ^ r);
    }
    RunningRow& row = t.rows[r];
    uint16_t previousW = 0;
    uint16_t previousS = 0;
    uint32_t g = 0;
    for (int j = 0; j < 8; ++j) {
      uint16_t kw = KeyWord(key[2 * j], key[2 * j + 1]);
      uint16_t w = j == 0 ? kw : static_cast<uint16_t>(kw ^ previousS);
      uint16_t s = Lo16(w * kCarryFactor + 1);
      uint32_t u =
          j == 0 ? w * kSubkeyFactor : j * kCarryFactor + (uint32_t{w} + previousW) * kSubkeyFactor;
      g = Lo16(g * kCarryFactor + u);
      row.s[j] = s;
      row.g[j] = static_cast<uint16_t>(g);
      previousW = w;
      previousS = s;
    }
    row.q = Lo16(previousW * kSubkeyFactor);
  }
  return t;
}

const CipherTables& Tables() {
  static const CipherTables tables = BuildTables();
  return tables;
}

// The keystream byte of one position in the fast form; moves c and q on and
// leaves the position's mix word in *mix.
inline uint8_t FastKeystream(const CipherTables& t, const RunningRow& row, uint16_t* c, uint16_t* q,
                             uint16_t* mix) {
  const uint32_t c0 = *c;
  const uint32_t q0 = *q;
  uint16_t m = 0;
  uint16_t last = 0;
  for (int j = 0; j < 8; ++j) {
    last = Lo16(t.carryFactor[j] * c0 + t.productFactor[j] * q0 + row.g[j]);
    m = static_cast<uint16_t>(m ^ row.s[j] ^ last);
  }
  *c = last;
  *q = row.q;
  *mix = m;
  return static_cast<uint8_t>((m >> 8) ^ (m & 0xFF));
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

void LineCipher::EncipherBytes(const uint8_t* in, std::size_t n, uint8_t* out) {
  uint8_t r;
  if (n == 0) return;
  if (!RunningByte(&r)) {
    for (std::size_t i = 0; i < n; ++i) out[i] = EncipherByte(in[i]);
    return;
  }
  const CipherTables& t = Tables();
  uint16_t c = carry, q = prevProduct, mix = 0;
  uint8_t lastR = r;
  for (std::size_t i = 0; i < n; ++i) {
    const uint8_t p = in[i];
    lastR = r;
    out[i] = static_cast<uint8_t>(p ^ FastKeystream(t, t.rows[r], &c, &q, &mix));
    r ^= p;
  }
  for (int i = 0; i < kCipherKeyLength; ++i) {
    workKey[i] = static_cast<uint8_t>(static_cast<uint8_t>(kCipherKey[i]) ^ r);
  }
  std::memcpy(subkey, t.rows[lastR].s, sizeof subkey);
  carry = c;
  prevProduct = q;
  mixWord = mix;
  stepIndex = 0;
}

template <bool kStopAtLineFeed>
std::size_t LineCipher::DecipherRun(const uint8_t* in, std::size_t n, uint8_t* out) {
  uint8_t r;
  if (n == 0) return 0;
  if (!RunningByte(&r)) {
    for (std::size_t i = 0; i < n; ++i) {
      out[i] = DecipherByte(in[i]);
      if (kStopAtLineFeed && out[i] == '\n') return i + 1;
    }
    return n;
  }
  const CipherTables& t = Tables();
  uint16_t c = carry, q = prevProduct, mix = 0;
  uint8_t lastR = r;
  std::size_t used = n;
  for (std::size_t i = 0; i < n; ++i) {
    lastR = r;
    const uint8_t p = static_cast<uint8_t>(in[i] ^ FastKeystream(t, t.rows[r], &c, &q, &mix));
    out[i] = p;
    r ^= p;
    if (kStopAtLineFeed && p == '\n') {
      used = i + 1;
      break;
    }
  }
  for (int i = 0; i < kCipherKeyLength; ++i) {
    workKey[i] = static_cast<uint8_t>(static_cast<uint8_t>(kCipherKey[i]) ^ r);
  }
  std::memcpy(subkey, t.rows[lastR].s, sizeof subkey);
  carry = c;
  prevProduct = q;
  mixWord = mix;
  stepIndex = 0;
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
