// Enciphering in two passes over blocks: a scan for the running values
// (t, r) of every position, then the keystream of all positions at once,
// each from its own (t, r), by running the eight steps branch-free in
// 16-bit lanes that the compiler vectorises. The keystream pass is built
// for plain x86-64 (or whatever the target is) and for AVX2; the AVX-512
// form is written out by hand (encipher_avx512.cpp). The processor picks at
// run time.
#include <algorithm>
#include <bit>
#include <cstring>

#include "cipher/line_cipher.h"
#include "cipher/running_form.h"

#if defined(__GNUC__) || defined(__clang__)
#define TARVEX_INLINE inline __attribute__((always_inline))
#define TARVEX_RESTRICT __restrict__
#else
#define TARVEX_INLINE inline
#define TARVEX_RESTRICT
#endif

namespace tarvex::running {
namespace {

constexpr std::size_t kBlock = kScanBlock;
constexpr std::size_t kLanes = 64;  // positions per keystream call

// C_j = key[2j] * 256 + (key[2j+1] ^ 0x80): the key word of running byte r
// is then (C_j ^ r * 0x101) - 0x80, the signed second byte included.
struct KeyConstants {
  uint16_t c[8];
};
constexpr KeyConstants MakeKeyConstants() {
  KeyConstants k{};
  for (int j = 0; j < 8; ++j) {
    k.c[j] = static_cast<uint16_t>(static_cast<uint8_t>(kCipherKey[2 * j]) << 8 |
                                   (static_cast<uint8_t>(kCipherKey[2 * j + 1]) ^ 0x80));
  }
  return k;
}
constexpr KeyConstants kKeyConstants = MakeKeyConstants();

// The eight steps of one position from t (carry and prevProduct folded)
// and rr = r * 0x101; returns the position's mix word.
TARVEX_INLINE uint16_t Mix(uint16_t t, uint16_t rr) {
  uint16_t mix = 0, carry = 0, s = 0, previousW = 0;
  for (unsigned j = 0; j < 8; ++j) {
    const uint16_t kw = Lo16(uint32_t{static_cast<uint16_t>(kKeyConstants.c[j] ^ rr)} - 0x80u);
    const uint16_t w = j == 0 ? kw : static_cast<uint16_t>(kw ^ s);
    s = Lo16(uint32_t{w} * kM + 1u);
    carry = j == 0 ? Lo16(t + uint32_t{w} * kK)
                   : Lo16((uint32_t{carry} + j) * kM + (uint32_t{w} + previousW) * kK);
    mix = static_cast<uint16_t>(mix ^ s ^ carry);
    previousW = w;
  }
  return mix;
}

TARVEX_INLINE void KeystreamLanes(const uint16_t* TARVEX_RESTRICT t,
                                  const uint8_t* TARVEX_RESTRICT r, uint8_t* TARVEX_RESTRICT ks) {
  for (std::size_t i = 0; i < kLanes; ++i) {
    const uint16_t mix = Mix(t[i], static_cast<uint16_t>(r[i] * 0x101u));
    ks[i] = static_cast<uint8_t>((mix >> 8) ^ mix);
  }
}

struct alignas(64) Scratch {
  uint16_t t[kBlock];
  uint8_t r[kBlock];
  uint8_t ks[kBlock];
};

// Pass 1: the running values of positions [0, m) of a block. It is scalar
// and the same for every kernel, so it is built once, outside them. r is a
// prefix XOR, eight bytes at a time in one word; t runs as four chains of
// stride 4 (t[i+4] = A^4*t[i] + ...), put together after. GCC's
// straight-line vectoriser would pack the chains' stores through vector
// registers, which only slows them.
#if defined(__GNUC__) && !defined(__clang__)
__attribute__((noinline, optimize("no-tree-slp-vectorize")))
#elif defined(__clang__)
__attribute__((noinline))
#endif
void Scan(const Tables& tb, const uint8_t* in, std::size_t m, Scratch* sc, RunningState* st) {
  uint64_t r = st->r;
  std::size_t i = 0;
  if constexpr (std::endian::native == std::endian::little) {
    for (; i + 8 <= m; i += 8) {
      uint64_t x;
      std::memcpy(&x, in + i, 8);
      x ^= x << 8;  // byte k: the XOR of bytes 0 to k
      x ^= x << 16;
      x ^= x << 32;
      const uint64_t before = (x << 8) ^ (r * 0x0101010101010101ull);
      std::memcpy(sc->r + i, &before, 8);
      r ^= x >> 56;
    }
  }
  for (; i < m; ++i) {
    sc->r[i] = static_cast<uint8_t>(r);
    r ^= in[i];
  }
  const uint32_t a = tb.a;
  const uint32_t a2 = Lo16(a * a), a3 = Lo16(a2 * a), a4 = Lo16(a3 * a);
  uint32_t t = st->t;
  i = 0;
  for (; i + 4 <= m; i += 4) {
    const uint32_t b0 = tb.b[sc->r[i]], b1 = tb.b[sc->r[i + 1]];
    const uint32_t b2 = tb.b[sc->r[i + 2]], b3 = tb.b[sc->r[i + 3]];
    const uint32_t v2 = a * b0 + b1;
    const uint32_t v3 = a * v2 + b2;
    const uint32_t v4 = a * v3 + b3;
    sc->t[i] = static_cast<uint16_t>(t);
    sc->t[i + 1] = Lo16(a * t + b0);
    sc->t[i + 2] = Lo16(a2 * t + v2);
    sc->t[i + 3] = Lo16(a3 * t + v3);
    t = Lo16(a4 * t + v4);
  }
  for (; i < m; ++i) {
    sc->t[i] = static_cast<uint16_t>(t);
    t = Lo16(a * t + tb.b[sc->r[i]]);
  }
  st->lastT = sc->t[m - 1];
  st->lastR = sc->r[m - 1];
  st->t = static_cast<uint16_t>(t);
  st->r = static_cast<uint8_t>(r);
}

TARVEX_INLINE void EncipherBlocks(const uint8_t* in, std::size_t n, uint8_t* out,
                                  RunningState* st) {
  const Tables& tb = GetTables();
  Scratch sc;
  for (std::size_t pos = 0; pos < n; pos += kBlock) {
    const std::size_t m = std::min(kBlock, n - pos);
    Scan(tb, in + pos, m, &sc, st);
    // Lanes past the end compute a keystream nobody uses; give them defined input.
    const std::size_t lanes = (m + kLanes - 1) / kLanes * kLanes;
    std::fill(sc.t + m, sc.t + lanes, uint16_t{0});
    std::fill(sc.r + m, sc.r + lanes, uint8_t{0});
    for (std::size_t l = 0; l < lanes; l += kLanes) KeystreamLanes(sc.t + l, sc.r + l, sc.ks + l);
    for (std::size_t i = 0; i < m; ++i) out[pos + i] = static_cast<uint8_t>(in[pos + i] ^ sc.ks[i]);
  }
}

void EncipherPortable(const uint8_t* in, std::size_t n, uint8_t* out, RunningState* st) {
  EncipherBlocks(in, n, out, st);
}

#ifdef TARVEX_CIPHER_X86
__attribute__((target("avx2"))) void EncipherAvx2(const uint8_t* in, std::size_t n, uint8_t* out,
                                                  RunningState* st) {
  EncipherBlocks(in, n, out, st);
}
#endif

}  // namespace

void EncipherRunning(CipherPath path, const uint8_t* in, std::size_t n, uint8_t* out,
                     RunningState* st) {
  switch (path) {
#ifdef TARVEX_CIPHER_X86
    case CipherPath::kAvx512:
      EncipherAvx512(in, n, out, st);
      return;
    case CipherPath::kAvx2:
      EncipherAvx2(in, n, out, st);
      return;
#endif
    default:
      EncipherPortable(in, n, out, st);
      return;
  }
}

}  // namespace tarvex::running
