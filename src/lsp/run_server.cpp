#include "lsp/run_server.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <cstdio>
#endif

#include "lsp/server.h"
#include "lsp/transport.h"

namespace tarvex::lsp {

int RunLanguageServer(std::istream& in, std::ostream& out, std::ostream& log,
                      std::optional<std::string> keywords) {
  Transport transport(in, out);
  Server server(transport, log, std::move(keywords));
  return server.Run();
}

void UseBinaryStandardStreams() {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
}

}  // namespace tarvex::lsp
