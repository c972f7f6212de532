#include "cipher/cipher_path.h"

#include <atomic>

#include "cipher/running_form.h"

namespace tarvex {
namespace {

bool Offered(CipherPath path) {
  switch (path) {
    case CipherPath::kPortable:
      return true;
#ifdef TARVEX_CIPHER_X86
    // __builtin_cpu_supports also asks whether the system saves the wide
    // registers, so a processor feature the system leaves off counts as absent.
    case CipherPath::kAvx2:
      return __builtin_cpu_supports("avx2");
    case CipherPath::kAvx512:
      return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
             __builtin_cpu_supports("avx512vl");
#else
    case CipherPath::kAvx2:
    case CipherPath::kAvx512:
      return false;
#endif
  }
  return false;
}

CipherPath Best() {
  if (Offered(CipherPath::kAvx512)) return CipherPath::kAvx512;
  if (Offered(CipherPath::kAvx2)) return CipherPath::kAvx2;
  return CipherPath::kPortable;
}

std::atomic<CipherPath>& Active() {
  static std::atomic<CipherPath> active{Best()};
  return active;
}

}  // namespace

const char* CipherPathName(CipherPath path) {
  switch (path) {
    case CipherPath::kPortable:
      return "portable";
    case CipherPath::kAvx2:
      return "avx2";
    case CipherPath::kAvx512:
      return "avx512";
  }
  return "unknown";
}

bool CipherPathSupported(CipherPath path) {
  return Offered(path);
}

std::vector<CipherPath> AllCipherPaths() {
  return {CipherPath::kPortable, CipherPath::kAvx2, CipherPath::kAvx512};
}

CipherPath ActiveCipherPath() {
  return Active().load(std::memory_order_relaxed);
}

bool ForceCipherPath(CipherPath path) {
  if (!Offered(path)) return false;
  Active().store(path, std::memory_order_relaxed);
  return true;
}

void ResetCipherPath() {
  Active().store(Best(), std::memory_order_relaxed);
}

}  // namespace tarvex
