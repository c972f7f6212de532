// Running the language server on a process's standard streams.
#ifndef TARVEX_LSP_RUN_SERVER_H_
#define TARVEX_LSP_RUN_SERVER_H_

#include <istream>
#include <optional>
#include <ostream>
#include <string>

namespace tarvex::lsp {

// Serves `in` and `out` until the end; returns the exit status. `keywords`
// is the dictionary given on the command line, if any.
int RunLanguageServer(std::istream& in, std::ostream& out, std::ostream& log,
                      std::optional<std::string> keywords);

// Puts standard input and output into binary mode where the platform
// distinguishes text mode (so no CR is added to or taken from a frame).
void UseBinaryStandardStreams();

}  // namespace tarvex::lsp

#endif  // TARVEX_LSP_RUN_SERVER_H_
