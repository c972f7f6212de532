// The line cipher's state folded into two values, for the bulk calls.
//
// Every plain byte is XORed into all 16 working-key bytes, so the working
// key is always the key XOR one running byte r (the XOR of the plain bytes
// so far). Everything a position derives from the working key - the subkey
// words, what the steps add to the carry, the next prevProduct - is then a
// function of r alone. With t = M*carry + prevProduct at the start of a
// position (M = 20021), the carry after step j is M^j*t + G_j(r), and
//   keystream byte = fold(Sx(r) ^ XOR_j (M^j*t + G_j(r))),
//   t' = A*t + B(r),   A = M^8,   fold(x) = (x >> 8 ^ x) & 0xFF.
// So the state between bytes is just (t, r). When enciphering, every r is
// known in advance (a prefix XOR), t is a scan, and every keystream byte is
// independent of the others; deciphering stays a chain through r.
//
// Internal to src/cipher: LineCipher converts to and from its record's
// fields at each bulk call.
#ifndef TARVEX_CIPHER_RUNNING_FORM_H_
#define TARVEX_CIPHER_RUNNING_FORM_H_

#include <cstddef>
#include <cstdint>

#include "cipher/cipher_path.h"

// The vector forms are built with per-function target attributes, which
// GCC and clang offer on x86 only; elsewhere the portable form runs alone.
#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#define TARVEX_CIPHER_X86 1
#endif

namespace tarvex::running {

inline constexpr uint32_t kM = 20021;  // the carry factor, 0x4E35
inline constexpr uint32_t kK = 346;    // the subkey factor, 0x15A

// Positions per enciphering scan: a block's running values stay in the L1 cache.
inline constexpr std::size_t kScanBlock = 1024;

constexpr uint16_t Lo16(uint32_t v) {
  return static_cast<uint16_t>(v & 0xFFFFu);
}

// What a running byte r fixes for one position.
struct Tables {
  uint16_t s[256][8];  // subkey[j] after the position's steps
  uint16_t g[256][8];  // the carry after step j when t = 0
  uint16_t q[256];     // prevProduct after the position
  uint16_t b[256];     // t' = A*t + b[r]
  uint16_t sx[256];    // XOR of the row of s
  uint16_t mj[8];      // M^j
  uint16_t a;          // M^8
  // The deciphering chain's copies: 32-bit words (no masking on the
  // chain), one table per step, each one word longer than 1 KB so that a
  // position's eight loads do not fall on the same cache set.
  uint32_t g32[8][257];
  // The same words two to a 64-bit word, 32 bits apart (steps 2k and
  // 2k + 1): one multiply and one add then serve two steps.
  uint64_t g64[4][257];
  uint8_t f[257];  // fold(sx[r])
  // For the enciphering scan as a plain prefix sum over a block:
  // t_i = A^i * (t_0 + sum_{k<i} A^-(k+1) * b[r_k]).
  uint16_t aPow[kScanBlock + 1];  // A^i
  uint16_t aInvPow[kScanBlock];   // A^-(i+1)
};

const Tables& GetTables();

// Where a bulk call leaves off: the state before the next position, and
// the last position's own (t, r), from which the record's fields follow.
struct RunningState {
  uint16_t t = 0;
  uint8_t r = 0;
  uint16_t lastT = 0;
  uint8_t lastR = 0;
};

// Enciphers `n` (> 0) bytes from `in` to `out` (which may be the same) on
// the given path, which the processor must offer; moves `st` on.
void EncipherRunning(CipherPath path, const uint8_t* in, std::size_t n, uint8_t* out,
                     RunningState* st);

#ifdef TARVEX_CIPHER_X86
// The AVX-512 form of EncipherRunning (encipher_avx512.cpp), for
// processors with AVX-512F, BW and VL.
void EncipherAvx512(const uint8_t* in, std::size_t n, uint8_t* out, RunningState* st);
#endif

// Deciphers `n` (> 0) bytes; with `stopAtLineFeed`, stops after the first
// plain line feed. Returns the bytes used and moves `st` on.
std::size_t DecipherRunning(const uint8_t* in, std::size_t n, uint8_t* out, bool stopAtLineFeed,
                            RunningState* st);

}  // namespace tarvex::running

#endif  // TARVEX_CIPHER_RUNNING_FORM_H_
