// Finding the first of two bytes in a stretch of text, sixteen bytes a
// step: the line readers and the checker search every line this way.
#ifndef TARVEX_KEYWORDS_BYTE_SEARCH_H_
#define TARVEX_KEYWORDS_BYTE_SEARCH_H_

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tarvex {

// The offset of the first byte in [p, p + n) that is `a` or `b`, or n.
// `room` (at least n) bytes from p may be read. Sixteen bytes a step where
// the processor has SSE2 (every x86-64 does), else eight in a word.
inline std::size_t FindEither(const char* p, std::size_t n, std::size_t room, char a, char b) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi8(a);
  const __m128i vb = _mm_set1_epi8(b);
  auto hitsAt = [&](std::size_t at) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, va), _mm_cmpeq_epi8(v, vb))));
  };
  for (; i + 16 <= n; i += 16) {
    const unsigned hits = hitsAt(i);
    if (hits != 0) return i + static_cast<std::size_t>(std::countr_zero(hits));
  }
  if (i < n && room - i >= 16) {
    // The last few bytes in one more step; bytes read past the range do not count.
    const unsigned hits = hitsAt(i) & ((1u << (n - i)) - 1);
    return hits != 0 ? i + static_cast<std::size_t>(std::countr_zero(hits)) : n;
  }
#else
  (void)room;
  if constexpr (std::endian::native == std::endian::little) {
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    constexpr uint64_t kHigh = 0x8080808080808080ull;
    // The lowest flagged byte of the zero-byte test is always a true one.
    auto zeroBytes = [](uint64_t v) { return (v - kOnes) & ~v & kHigh; };
    for (; i + 8 <= n; i += 8) {
      uint64_t v;
      std::memcpy(&v, p + i, 8);
      const uint64_t hits = zeroBytes(v ^ (static_cast<unsigned char>(a) * kOnes)) |
                            zeroBytes(v ^ (static_cast<unsigned char>(b) * kOnes));
      if (hits != 0) return i + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
    }
  }
#endif
  for (; i < n; ++i) {
    if (p[i] == a || p[i] == b) return i;
  }
  return n;
}

// Bit i set where p[i] is `a`, and in `*other` where it is `b`, for the
// sixty-four bytes at `p`.
inline uint64_t MatchSixtyFour(const char* p, char a, char b, uint64_t* other) {
  uint64_t as = 0, bs = 0;
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi8(a);
  const __m128i vb = _mm_set1_epi8(b);
  for (int k = 0; k < 4; ++k) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    as |= uint64_t{static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, va)))} << (16 * k);
    bs |= uint64_t{static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, vb)))} << (16 * k);
  }
#else
  for (int i = 0; i < 64; ++i) {
    as |= uint64_t{p[i] == a} << i;
    bs |= uint64_t{p[i] == b} << i;
  }
#endif
  *other = bs;
  return as;
}

// Bit i set where p[i] == b, for the sixteen bytes at `p`.
inline uint32_t MatchSixteen(const uint8_t* p, uint8_t b) {
#if defined(__SSE2__)
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  return static_cast<uint32_t>(
      _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(b)))));
#else
  uint32_t bits = 0;
  for (int i = 0; i < 16; ++i) bits |= uint32_t{p[i] == b} << i;
  return bits;
#endif
}

}  // namespace tarvex

#endif  // TARVEX_KEYWORDS_BYTE_SEARCH_H_
