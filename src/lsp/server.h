// The Tarvex language server: documents, diagnostics, completion and hover
// over a Transport, until "exit" or the end of the input.
//
// A body that is not JSON gets a -32700 reply and the server goes on; an
// unknown request gets -32601, unknown notifications are ignored. Broken
// framing ends the server with a line on the log.
#ifndef TARVEX_LSP_SERVER_H_
#define TARVEX_LSP_SERVER_H_

#include <map>
#include <optional>
#include <ostream>
#include <string>

#include "lsp/document.h"
#include "lsp/keyword_source.h"
#include "lsp/protocol.h"
#include "lsp/transport.h"

namespace tarvex::lsp {

class Server {
 public:
  Server(Transport& transport, std::ostream& log, std::optional<std::string> keywordsPath);

  // Serves until the end; returns the process's exit status: 0 after
  // "shutdown" then "exit", 1 when "exit" comes without "shutdown", when
  // the input ends without "exit", or when the framing breaks.
  int Run();

 private:
  struct OpenDocument {
    Document document;
    Json version;
    std::string folder;  // the document's folder on disk; empty when it has none
  };

  // Handles one body; false when the server is to stop.
  bool Handle(const std::string& body);
  void HandleRequest(const Json& id, const std::string& method, const Json& params);
  void HandleNotification(const std::string& method, const Json& params);
  Json Initialize();
  std::optional<Json> Completion(const Json& params);
  std::optional<Json> Hover(const Json& params);
  void Publish(const std::string& uri);
  // The open document and offset that `params` point at.
  const OpenDocument* At(const Json& params, std::size_t* offset) const;
  void Send(const Json& message);

  Transport& transport_;
  std::ostream& log_;
  KeywordSource keywords_;
  std::map<std::string, OpenDocument> documents_;
  bool initialized_ = false;
  bool shutdown_ = false;
  std::optional<int> exitStatus_;
};

}  // namespace tarvex::lsp

#endif  // TARVEX_LSP_SERVER_H_
