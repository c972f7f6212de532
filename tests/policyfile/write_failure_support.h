// Sources of a chosen size for the write-failure tests.
#ifndef TARVEX_TESTS_POLICYFILE_WRITE_FAILURE_SUPPORT_H_
#define TARVEX_TESTS_POLICYFILE_WRITE_FAILURE_SUPPORT_H_

#include <string>

namespace tarvex::testing {

// A sound source of `size` bytes (at least 12) in whole CR LF lines, so
// that its body is itself.
inline std::string SourceOfSize(std::size_t size) {
  std::string s;
  for (int i = 0;; ++i) {
    const std::string line = "Banner = line " + std::to_string(i) + " of the policy\r\n";
    if (s.size() + line.size() + 12 > size) break;
    s += line;
  }
  return s + "Banner = " + std::string(size - s.size() - 11, 'x') + "\r\n";
}

}  // namespace tarvex::testing

#endif  // TARVEX_TESTS_POLICYFILE_WRITE_FAILURE_SUPPORT_H_
