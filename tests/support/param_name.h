// Readable names for table-driven tests: a case's `name` field, with every
// character that a test name may not hold turned into '_'.
#ifndef TARVEX_TESTS_SUPPORT_PARAM_NAME_H_
#define TARVEX_TESTS_SUPPORT_PARAM_NAME_H_

#include <string>

namespace tarvex::testing {

struct CaseName {
  template <typename Info>
  std::string operator()(const Info& info) const {
    std::string out;
    for (char c : std::string(info.param.name)) {
      const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
      out += ok ? c : '_';
    }
    return out + "_" + std::to_string(info.index);
  }
};

}  // namespace tarvex::testing

#endif  // TARVEX_TESTS_SUPPORT_PARAM_NAME_H_
