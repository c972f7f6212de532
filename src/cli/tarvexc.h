// tarvexc, the command-line compiler: what Generate and opening a policy
// binary file do in the editor, for administrators who script their policies.
//
//   tarvexc [--keywords PATH] generate FILE
//   tarvexc [--keywords PATH] check FILE.inf
//   tarvexc convert FILE.bin [-o OUT.inf]
//
// Exit status: 0 when the command succeeded, 1 when it failed with its
// message, 2 for a usage error.
#ifndef TARVEX_CLI_TARVEXC_H_
#define TARVEX_CLI_TARVEXC_H_

#include <ostream>
#include <string>
#include <vector>

namespace tarvex {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Runs tarvexc with `args` (without the program name), printing to `out`
// and `err`. The keyword dictionary is read afresh for each run.
int RunTarvexc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tarvex

#endif  // TARVEX_CLI_TARVEXC_H_
