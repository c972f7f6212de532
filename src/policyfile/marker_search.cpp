#include "policyfile/marker_search.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "policyfile/policy_format.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tarvex {

std::size_t FindTimeStampMarker(std::string_view text) {
  const std::string_view marker = kTimeStampMarker;
  constexpr std::size_t kSecond = 4;  // the "S"
  if (text.size() < marker.size()) return std::string_view::npos;
  const std::size_t last = text.size() - marker.size();  // the last place it can start
  const char* p = text.data();
  auto matches = [&](std::size_t at) {
    return std::memcmp(p + at, marker.data(), marker.size()) == 0;
  };
  std::size_t i = 0;
#if defined(__SSE2__)
  // Both loads of a step stay inside the text: a start at i + 15 still
  // leaves the marker's length after it.
  const __m128i first = _mm_set1_epi8(marker[0]);
  const __m128i second = _mm_set1_epi8(marker[kSecond]);
  for (; i + 15 <= last; i += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + kSecond));
    unsigned both = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, second))));
    for (; both != 0; both &= both - 1) {
      const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(both));
      if (matches(at)) return at;
    }
  }
#endif
  for (; i <= last; ++i) {
    if (p[i] == marker[0] && p[i + kSecond] == marker[kSecond] && matches(i)) return i;
  }
  return std::string_view::npos;
}

}  // namespace tarvex
