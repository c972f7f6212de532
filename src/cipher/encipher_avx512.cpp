// Enciphering with AVX-512, written out with intrinsics: the same two
// passes as encipher_scan.cpp, both in vectors.
//
// Pass 1, per block: the running byte r before each position is a prefix
// XOR, taken 64 bytes at a time (within each 64-bit word by shifts, across
// the words by a log-step scan of their totals). The running value t is a
// first-order recurrence t' = A*t + b[r]; since A is odd it becomes a plain
// prefix sum, t_i = A^i * (t_0 + sum_{k<i} A^-(k+1) * b[r_k]), taken 32
// words at a time by a log-step scan. b[r] is looked up with four
// two-register word permutes.
//
// Pass 2: the eight steps of every position, branch-free, 32 positions to a
// register. Computing the step words from r beats looking them up: a
// permute takes longer than the few multiplies and adds it would save.
//
// Only AVX-512F, BW and VL are used, which every processor with AVX-512
// for general use has.
#include "cipher/running_form.h"

#ifdef TARVEX_CIPHER_X86

// GCC 12's AVX-512 headers make their "undefined" registers by
// self-initialisation, which its own uninitialised-use warning then reports
// at every caller (fixed in GCC 12.3 and 13).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#include <immintrin.h>

#include <cstring>

#include "cipher/line_cipher.h"

#define TARVEX_AVX512 __attribute__((target("avx512f,avx512bw,avx512vl")))

namespace tarvex::running {
namespace {

struct alignas(64) Scratch {
  uint16_t t[kScanBlock];
  uint8_t r[kScanBlock];
};

// The lanes from `n` on are masked off (n < 64).
TARVEX_AVX512 inline __mmask64 FirstBytes(std::size_t n) {
  return n >= 64 ? ~__mmask64{0} : (__mmask64{1} << n) - 1;
}
TARVEX_AVX512 inline __mmask32 FirstWords(std::size_t n) {
  return n >= 32 ? ~__mmask32{0} : (__mmask32{1} << n) - 1;
}

// Lanes moved up by d 64-bit words, zeros coming in.
template <int d>
TARVEX_AVX512 inline __m512i UpQwords(__m512i v) {
  return _mm512_alignr_epi64(v, _mm512_setzero_si512(), 8 - d);
}
template <int d>
TARVEX_AVX512 inline __m512i UpDwords(__m512i v) {
  return _mm512_alignr_epi32(v, _mm512_setzero_si512(), 16 - d);
}

// b[r] for 32 running bytes in 16-bit lanes.
struct WordTable {
  __m512i part[8];  // 32 words each
};

TARVEX_AVX512 inline __m512i Lookup(const WordTable& table, __m512i r) {
  const __m512i low = _mm512_permutex2var_epi16(table.part[0], r, table.part[1]);
  const __m512i mid = _mm512_permutex2var_epi16(table.part[2], r, table.part[3]);
  const __m512i high = _mm512_permutex2var_epi16(table.part[4], r, table.part[5]);
  const __m512i top = _mm512_permutex2var_epi16(table.part[6], r, table.part[7]);
  const __mmask32 bit6 = _mm512_test_epi16_mask(r, _mm512_set1_epi16(0x40));
  const __mmask32 bit7 = _mm512_test_epi16_mask(r, _mm512_set1_epi16(0x80));
  return _mm512_mask_blend_epi16(bit7, _mm512_mask_blend_epi16(bit6, low, mid),
                                 _mm512_mask_blend_epi16(bit6, high, top));
}

// Pass 1 over the m (1 to kScanBlock) positions of a block.
TARVEX_AVX512 void Scan(const Tables& tb, const WordTable& b, const uint8_t* in, std::size_t m,
                        Scratch* sc, RunningState* st) {
  // r: within each 64-bit word by shifts, then the words' totals (byte 7,
  // spread over the word) scanned across the register.
  const __m512i lastByte =
      _mm512_broadcast_i32x4(_mm_setr_epi8(7, 7, 7, 7, 7, 7, 7, 7, 15, 15, 15, 15, 15, 15, 15, 15));
  __m512i r = _mm512_set1_epi8(static_cast<char>(st->r));
  for (std::size_t i = 0; i < m; i += 64) {
    // Bytes past the end load as zero and change nothing.
    __m512i x = _mm512_maskz_loadu_epi8(FirstBytes(m - i), in + i);
    x = _mm512_xor_si512(x, _mm512_slli_epi64(x, 8));
    x = _mm512_xor_si512(x, _mm512_slli_epi64(x, 16));
    x = _mm512_xor_si512(x, _mm512_slli_epi64(x, 32));
    __m512i totals = _mm512_shuffle_epi8(x, lastByte);
    totals = _mm512_xor_si512(totals, UpQwords<1>(totals));
    totals = _mm512_xor_si512(totals, UpQwords<2>(totals));
    totals = _mm512_xor_si512(totals, UpQwords<4>(totals));
    // Before position k: the bytes before it in its word, the words before
    // its word, and r before the 64.
    const __m512i before =
        _mm512_ternarylogic_epi64(_mm512_slli_epi64(x, 8), UpQwords<1>(totals), r, 0x96);
    _mm512_storeu_si512(sc->r + i, before);
    r = _mm512_xor_si512(r, _mm512_permutexvar_epi64(_mm512_set1_epi64(7), totals));
  }

  // t: the prefix sum of A^-(k+1) * b[r_k], scaled back by A^i.
  const __m512i lastWord = _mm512_set1_epi16(31);
  const __m512i upOneWord =
      _mm512_set_epi16(30, 29, 28, 27, 26, 25, 24, 23, 22, 21, 20, 19, 18, 17, 16, 15, 14, 13, 12,
                       11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0);
  __m512i sum = _mm512_set1_epi16(static_cast<short>(st->t));  // t_0 + the sum so far
  for (std::size_t i = 0; i < m; i += 32) {
    const __m512i rw =
        _mm512_cvtepu8_epi16(_mm256_load_si256(reinterpret_cast<const __m256i*>(sc->r + i)));
    // Positions past the end add nothing, so the sum ends as t_0 + S_m.
    const __m512i c = _mm512_maskz_mullo_epi16(FirstWords(m - i), Lookup(b, rw),
                                               _mm512_loadu_si512(tb.aInvPow + i));
    __m512i y = _mm512_add_epi16(c, _mm512_maskz_permutexvar_epi16(~__mmask32{1}, upOneWord, c));
    y = _mm512_add_epi16(y, UpDwords<1>(y));
    y = _mm512_add_epi16(y, UpDwords<2>(y));
    y = _mm512_add_epi16(y, UpQwords<2>(y));
    y = _mm512_add_epi16(y, UpQwords<4>(y));
    const __m512i exclusive = _mm512_add_epi16(sum, _mm512_sub_epi16(y, c));
    _mm512_store_si512(sc->t + i, _mm512_mullo_epi16(exclusive, _mm512_loadu_si512(tb.aPow + i)));
    sum = _mm512_add_epi16(sum, _mm512_permutexvar_epi16(lastWord, y));
  }
  st->lastT = sc->t[m - 1];
  st->lastR = sc->r[m - 1];
  st->t = Lo16(uint32_t{tb.aPow[m]} *
               static_cast<uint16_t>(_mm_cvtsi128_si32(_mm512_castsi512_si128(sum))));
  st->r = static_cast<uint8_t>(_mm_cvtsi128_si32(_mm512_castsi512_si128(r)));
}

// The key's byte pairs as encipher_scan.cpp's KeyConstants has them: the
// key word of running byte r is (c[j] ^ r * 0x101) - 0x80.
uint16_t KeyConstant(int j) {
  return static_cast<uint16_t>(static_cast<uint8_t>(kCipherKey[2 * j]) << 8 |
                               (static_cast<uint8_t>(kCipherKey[2 * j + 1]) ^ 0x80));
}

struct StepConstants {
  __m512i key[8];
};

// Pass 2, for 32 positions: their running bytes twice over (r * 0x101)
// and the words the steps carry from one to the next.
struct Lanes {
  __m512i rr, w, s, carry, mix, previousW;
};

// Step 0, from positions [i, i + 32) of the block: the carry starts from
// t, which holds carry and prevProduct.
TARVEX_AVX512 inline Lanes FirstStep(const StepConstants& k, const Scratch& sc, std::size_t i) {
  const __m512i rw =
      _mm512_cvtepu8_epi16(_mm256_load_si256(reinterpret_cast<const __m256i*>(sc.r + i)));
  Lanes l;
  l.rr = _mm512_or_si512(rw, _mm512_slli_epi16(rw, 8));
  l.w = _mm512_sub_epi16(_mm512_xor_si512(k.key[0], l.rr), _mm512_set1_epi16(0x80));
  l.s = _mm512_add_epi16(_mm512_mullo_epi16(l.w, _mm512_set1_epi16(static_cast<short>(kM))),
                         _mm512_set1_epi16(1));
  l.carry = _mm512_add_epi16(_mm512_load_si512(sc.t + i),
                             _mm512_mullo_epi16(l.w, _mm512_set1_epi16(static_cast<short>(kK))));
  l.mix = _mm512_xor_si512(l.s, l.carry);
  l.previousW = l.w;
  return l;
}

TARVEX_AVX512 inline void Step(const StepConstants& k, int j, Lanes& l) {
  const __m512i m = _mm512_set1_epi16(static_cast<short>(kM));
  const __m512i kk = _mm512_set1_epi16(static_cast<short>(kK));
  l.w = _mm512_xor_si512(
      _mm512_sub_epi16(_mm512_xor_si512(k.key[j], l.rr), _mm512_set1_epi16(0x80)), l.s);
  l.s = _mm512_add_epi16(_mm512_mullo_epi16(l.w, m), _mm512_set1_epi16(1));
  l.carry = _mm512_add_epi16(
      _mm512_mullo_epi16(_mm512_add_epi16(l.carry, _mm512_set1_epi16(static_cast<short>(j))), m),
      _mm512_mullo_epi16(_mm512_add_epi16(l.w, l.previousW), kk));
  l.mix = _mm512_ternarylogic_epi32(l.mix, l.s, l.carry, 0x96);
  l.previousW = l.w;
}

// The keystream of the lanes XORed into the plain bytes at `at`; `live`
// masks the positions that exist.
TARVEX_AVX512 inline void Finish(const Lanes& l, std::size_t at, __mmask32 live, const uint8_t* in,
                                 uint8_t* out) {
  const __m256i ks = _mm512_cvtepi16_epi8(_mm512_xor_si512(l.mix, _mm512_srli_epi16(l.mix, 8)));
  const __m256i plain = _mm256_maskz_loadu_epi8(live, in + at);
  _mm256_mask_storeu_epi8(out + at, live, _mm256_xor_si256(plain, ks));
}

// Positions [i, i + 64): two sets of lanes side by side keep the
// multipliers busy while each one's chain of steps waits.
TARVEX_AVX512 inline void KeystreamPair(const StepConstants& k, const Scratch& sc, std::size_t i,
                                        const uint8_t* in, uint8_t* out) {
  Lanes a = FirstStep(k, sc, i);
  Lanes b = FirstStep(k, sc, i + 32);
#pragma GCC unroll 8
  for (int j = 1; j < 8; ++j) {
    Step(k, j, a);
    Step(k, j, b);
  }
  Finish(a, i, ~__mmask32{0}, in, out);
  Finish(b, i + 32, ~__mmask32{0}, in, out);
}

TARVEX_AVX512 inline void KeystreamOne(const StepConstants& k, const Scratch& sc, std::size_t i,
                                       __mmask32 live, const uint8_t* in, uint8_t* out) {
  Lanes a = FirstStep(k, sc, i);
#pragma GCC unroll 8
  for (int j = 1; j < 8; ++j) Step(k, j, a);
  Finish(a, i, live, in, out);
}

}  // namespace

TARVEX_AVX512 void EncipherAvx512(const uint8_t* in, std::size_t n, uint8_t* out,
                                  RunningState* st) {
  const Tables& tb = GetTables();
  WordTable b;
  for (int p = 0; p < 8; ++p) b.part[p] = _mm512_loadu_si512(tb.b + 32 * p);
  StepConstants k;
  for (int j = 0; j < 8; ++j) k.key[j] = _mm512_set1_epi16(static_cast<short>(KeyConstant(j)));
  Scratch sc;
  for (std::size_t pos = 0; pos < n; pos += kScanBlock) {
    const std::size_t m = n - pos < kScanBlock ? n - pos : kScanBlock;
    Scan(tb, b, in + pos, m, &sc, st);
    std::size_t i = 0;
    for (; i + 64 <= m; i += 64) KeystreamPair(k, sc, i, in + pos, out + pos);
    for (; i < m; i += 32) KeystreamOne(k, sc, i, FirstWords(m - i), in + pos, out + pos);
  }
}

}  // namespace tarvex::running

#endif  // TARVEX_CIPHER_X86
