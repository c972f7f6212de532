// Which form of the enciphering kernel the bulk calls of LineCipher run.
//
// The portable form is plain C++ and always built; on x86 processors the
// same kernel is also built for AVX2 and for AVX-512 and the best one the
// processor offers is chosen at the first bulk call. Every form gives the
// same bytes and leaves the same state; choosing one only changes speed.
#ifndef TARVEX_CIPHER_CIPHER_PATH_H_
#define TARVEX_CIPHER_CIPHER_PATH_H_

#include <vector>

namespace tarvex {

enum class CipherPath { kPortable, kAvx2, kAvx512 };

// "portable", "avx2" or "avx512".
const char* CipherPathName(CipherPath path);

// Whether this build has the form and this processor can run it.
bool CipherPathSupported(CipherPath path);

// Every form, supported or not, in the order above.
std::vector<CipherPath> AllCipherPaths();

// The form bulk calls take now.
CipherPath ActiveCipherPath();

// Makes bulk calls take `path` from now on (tests and benchmarks compare
// the forms this way). False, and nothing changes, when it is not supported.
bool ForceCipherPath(CipherPath path);

// Back to the best supported form.
void ResetCipherPath();

}  // namespace tarvex

#endif  // TARVEX_CIPHER_CIPHER_PATH_H_
