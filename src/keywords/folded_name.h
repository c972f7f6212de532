// Names compared and hashed with ASCII letter case ignored, eight bytes at
// a time: the keyword index does both for every lookup.
#ifndef TARVEX_KEYWORDS_FOLDED_NAME_H_
#define TARVEX_KEYWORDS_FOLDED_NAME_H_

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tarvex {
namespace folded_name {

inline constexpr uint64_t kOnes = 0x0101010101010101ull;
inline constexpr uint64_t kHigh = 0x8080808080808080ull;
inline constexpr uint64_t kCaseBits = 0x2020202020202020ull;

// The bytes [at, at + n) of `text` (n from 1 to 8) in one word, zero-filled
// above, the first byte lowest.
inline uint64_t Word(const char* p, std::size_t n) {
  uint64_t v = 0;
  if constexpr (std::endian::native == std::endian::little) {
    if (n == 8) {
      std::memcpy(&v, p, 8);
      return v;
    }
    if (n >= 4) {
      // Two loads of four that overlap: the shared bytes are the same.
      uint32_t low, high;
      std::memcpy(&low, p, 4);
      std::memcpy(&high, p + n - 4, 4);
      return uint64_t{low} | uint64_t{high} << (8 * (n - 4));
    }
  }
  for (std::size_t i = n; i-- > 0;) v = v << 8 | static_cast<unsigned char>(p[i]);
  return v;
}

// Word() of the 1 to 8 bytes at `p` with bit 5 of each set: for a text of
// letters only, its spelling in small letters. A byte with bit 5 set equals
// a small letter only when it is that letter in either case, so comparing
// this with WordOf() of a small-letter word compares the words with ASCII
// case ignored.
inline uint64_t FoldedLetters(const char* p, std::size_t n) {
  return Word(p, n) | kCaseBits >> (64 - 8 * n);
}

// Word() of a short constant text, at compile time.
constexpr uint64_t WordOf(std::string_view text) {
  uint64_t v = 0;
  for (std::size_t i = text.size(); i-- > 0;) v = v << 8 | static_cast<unsigned char>(text[i]);
  return v;
}

// The last n (1 to 7) bytes of a text of at least 8 bytes ending at `end`:
// one load of the last eight, shifted; a load of n bytes would call the
// library.
inline uint64_t TailWord(const char* end, std::size_t n) {
  if constexpr (std::endian::native == std::endian::little) {
    uint64_t v;
    std::memcpy(&v, end - 8, 8);
    return v >> (8 * (8 - n));
  } else {
    return Word(end - n, n);
  }
}

// Calls f(word) for each eight bytes of `text`, the last ones zero-filled.
template <typename F>
inline void ForEachWord(std::string_view text, F f) {
  const char* p = text.data();
  std::size_t n = text.size();
  for (; n >= 8; p += 8, n -= 8) f(Word(p, 8));
  if (n > 0) f(text.size() >= 8 ? TailWord(p + n, n) : Word(p, n));
}

// Whether two words are equal with the ASCII capitals of both made small.
inline bool FoldedWordsEqual(uint64_t a, uint64_t b) {
  const uint64_t diff = a ^ b;
  if (diff == 0) return true;
  // Only the case bit may differ, and only in letters.
  if ((diff & ~kCaseBits) != 0) return false;
  const uint64_t small = a | kCaseBits;
  const uint64_t low7 = small & ~kHigh;
  const uint64_t atLeastA = low7 + (0x80 - 'a') * kOnes;
  const uint64_t aboveZ = low7 + (0x80 - 'z' - 1) * kOnes;
  const uint64_t letters = atLeastA & ~aboveZ & ~small & kHigh;
  return ((diff << 2) & ~letters) == 0;
}

// EqualsIgnoreAsciiCase, a word at a time: every lookup ends in one.
inline bool FoldedNamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const std::size_t n = a.size();
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    if (!FoldedWordsEqual(Word(a.data() + i, 8), Word(b.data() + i, 8))) return false;
  }
  if (i == n) return true;
  const std::size_t rest = n - i;
  if (n >= 8) return FoldedWordsEqual(TailWord(a.data() + n, rest), TailWord(b.data() + n, rest));
  return FoldedWordsEqual(Word(a.data() + i, rest), Word(b.data() + i, rest));
}

}  // namespace folded_name

using folded_name::FoldedNamesEqual;

// A hash of `name` that is the same for every spelling of it in ASCII
// letter case. Setting bit 5 of every byte makes a capital and its small
// letter alike (and a few other pairs, which only the comparison tells
// apart).
inline uint32_t FoldedNameHash(std::string_view name) {
  using namespace folded_name;
  uint64_t h = 0x2545F4914F6CDD1Dull ^ name.size();
  ForEachWord(name, [&h](uint64_t w) {
    // The high half of a product depends on every byte; fold it down so
    // that the last bytes of a word (often the digits that tell names
    // apart) reach the low bits the index uses.
    h = (h ^ (w | kCaseBits)) * 0x9E3779B97F4A7C15ull;
    h ^= h >> 32;
  });
  h *= 0xFF51AFD7ED558CCDull;
  return static_cast<uint32_t>(h >> 32);
}

// Asks for the cache line at `p` ahead of its use.
inline void PrefetchAddress(const void* p) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(p);
#else
  (void)p;
#endif
}

}  // namespace tarvex

#endif  // TARVEX_KEYWORDS_FOLDED_NAME_H_
