#include "cipher/running_form.h"

#include "cipher/line_cipher.h"

namespace tarvex::running {
namespace {

// The key word of a byte pair: the second byte counts as a signed byte.
constexpr uint16_t KeyWord(uint8_t high, uint8_t low) {
  return Lo16(uint32_t{high} * 256u +
              static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(low))));
}

Tables Build() {
  Tables t{};
  uint32_t power = 1;
  for (int j = 0; j < 8; ++j) {
    t.mj[j] = Lo16(power);
    power = Lo16(power * kM);
  }
  t.a = Lo16(power);
  // A is odd, so it has an inverse modulo 2^16 (Newton's iteration doubles
  // the bits that are right, from 3 to 48).
  uint32_t inverse = t.a;
  for (int k = 0; k < 4; ++k) inverse = Lo16(inverse * (2u - t.a * inverse));
  uint32_t up = 1, down = inverse;
  for (std::size_t i = 0; i <= kScanBlock; ++i) {
    t.aPow[i] = Lo16(up);
    up = Lo16(up * t.a);
    if (i < kScanBlock) {
      t.aInvPow[i] = Lo16(down);
      down = Lo16(down * inverse);
    }
  }
  for (int r = 0; r < 256; ++r) {
    uint16_t previousW = 0;
    uint16_t previousS = 0;
    uint32_t g = 0;
    uint16_t sx = 0;
    for (int j = 0; j < 8; ++j) {
      const uint16_t kw =
          KeyWord(static_cast<uint8_t>(static_cast<uint8_t>(kCipherKey[2 * j]) ^ r),
                  static_cast<uint8_t>(static_cast<uint8_t>(kCipherKey[2 * j + 1]) ^ r));
      const uint16_t w = j == 0 ? kw : static_cast<uint16_t>(kw ^ previousS);
      const uint16_t s = Lo16(w * kM + 1);
      // The step with carry and prevProduct zero at the position's start.
      const uint32_t u = j == 0 ? w * kK : j * kM + (uint32_t{w} + previousW) * kK;
      g = Lo16(g * kM + u);
      t.s[r][j] = s;
      t.g[r][j] = static_cast<uint16_t>(g);
      t.g32[j][r] = g;
      sx = static_cast<uint16_t>(sx ^ s);
      previousW = w;
      previousS = s;
    }
    t.q[r] = Lo16(previousW * kK);
    t.b[r] = Lo16(kM * t.g[r][7] + t.q[r]);
    t.sx[r] = sx;
    t.f[r] = static_cast<uint8_t>((sx >> 8) ^ sx);
    for (int k = 0; k < 4; ++k) {
      t.g64[k][r] = uint64_t{t.g32[2 * k + 1][r]} << 32 | t.g32[2 * k][r];
    }
  }
  return t;
}

// Keeps the compiler from turning the XOR tree back into a serial chain.
#if defined(__GNUC__) || defined(__clang__)
#define TARVEX_KEEP(x) __asm__("" : "+r"(x))
#else
#define TARVEX_KEEP(x) (void)0
#endif

template <bool kStopAtLineFeed>
std::size_t Chain(const uint8_t* in, std::size_t n, uint8_t* out, RunningState* st) {
  const Tables& tb = GetTables();
  uint32_t t = st->t;
  uint32_t r = st->r;
  uint32_t lastT = t, lastR = r;
  // Two steps' M^j side by side: a product of at most 2^32 - 2^17 plus a
  // 16-bit word never carries into the upper half.
  auto pair = [&](int j) { return uint64_t{tb.mj[j + 1]} << 32 | tb.mj[j]; };
  const uint64_t p01 = pair(0), p23 = pair(2), p45 = pair(4), p67 = pair(6);
  const uint32_t m1 = tb.mj[1], m2 = tb.mj[2], m3 = tb.mj[3], m4 = tb.mj[4], m5 = tb.mj[5],
                 m6 = tb.mj[6], m7 = tb.mj[7], a = tb.a;
  // The XOR of the eight steps' words at position (t, r); only its low
  // 16 bits reach the byte.
  auto steps = [&](uint32_t t, uint32_t r) -> uint32_t {
    if constexpr (sizeof(void*) >= 8) {
      // Two steps to a 64-bit word: half the multiplies and loads.
      const uint64_t t64 = t;
      uint64_t w0 = p01 * t64 + tb.g64[0][r];
      uint64_t w1 = p23 * t64 + tb.g64[1][r];
      uint64_t w2 = p45 * t64 + tb.g64[2][r];
      uint64_t w3 = p67 * t64 + tb.g64[3][r];
      uint64_t v0 = w0 ^ w1;
      TARVEX_KEEP(v0);
      const uint64_t v = v0 ^ (w2 ^ w3);
      return static_cast<uint32_t>(v) ^ static_cast<uint32_t>(v >> 32);
    } else {
      // A 32-bit processor multiplies 64-bit words in three steps.
      uint32_t x0 = t + tb.g32[0][r];
      uint32_t x1 = m1 * t + tb.g32[1][r];
      uint32_t x2 = m2 * t + tb.g32[2][r];
      uint32_t x3 = m3 * t + tb.g32[3][r];
      uint32_t x4 = m4 * t + tb.g32[4][r];
      uint32_t x5 = m5 * t + tb.g32[5][r];
      uint32_t x6 = m6 * t + tb.g32[6][r];
      uint32_t x7 = m7 * t + tb.g32[7][r];
      uint32_t y0 = x0 ^ x1, y1 = x2 ^ x3, y2 = x4 ^ x5, y3 = x6 ^ x7;
      TARVEX_KEEP(y0);
      TARVEX_KEEP(y2);
      uint32_t z0 = y0 ^ y1, z1 = y2 ^ y3;
      TARVEX_KEEP(z0);
      return z0 ^ z1;
    }
  };
  std::size_t i = 0;
  while (i < n) {
    const uint32_t x = steps(t, r);
    // The next running byte straight from the steps' XOR: what does not
    // depend on it (the enciphered byte, fold(Sx), r itself) is put
    // together while the loads are on their way, and the plain byte is
    // taken from the two running bytes off the chain.
    const uint32_t known = in[i] ^ tb.f[r] ^ r;
    const uint32_t next = (known ^ x ^ (x >> 8)) & 0xFFu;
    const uint8_t p = static_cast<uint8_t>(next ^ r);
    out[i] = p;
    lastT = t;
    lastR = r;
    t = (a * t + tb.b[r]) & 0xFFFFu;
    r = next;
    ++i;
    if (kStopAtLineFeed && p == '\n') break;
  }
  st->t = static_cast<uint16_t>(t);
  st->r = static_cast<uint8_t>(r);
  st->lastT = static_cast<uint16_t>(lastT);
  st->lastR = static_cast<uint8_t>(lastR);
  return i;
}

}  // namespace

const Tables& GetTables() {
  static const Tables tables = Build();
  return tables;
}

std::size_t DecipherRunning(const uint8_t* in, std::size_t n, uint8_t* out, bool stopAtLineFeed,
                            RunningState* st) {
  return stopAtLineFeed ? Chain<true>(in, n, out, st) : Chain<false>(in, n, out, st);
}

}  // namespace tarvex::running
