// The parts of the Language Server Protocol (3.17) that the server speaks,
// as JSON: request and reply shapes, error codes, positions and URIs.
#ifndef TARVEX_LSP_PROTOCOL_H_
#define TARVEX_LSP_PROTOCOL_H_

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "lsp/document.h"

namespace tarvex::lsp {

using Json = nlohmann::json;

// JSON-RPC and protocol error codes.
inline constexpr int kParseError = -32700;
inline constexpr int kInvalidRequest = -32600;
inline constexpr int kMethodNotFound = -32601;
inline constexpr int kInvalidParams = -32602;
inline constexpr int kServerNotInitialized = -32002;

// DiagnosticSeverity.Error and CompletionItemKind.Keyword.
inline constexpr int kSeverityError = 1;
inline constexpr int kCompletionKindKeyword = 14;

Json Reply(const Json& id, Json result);
Json ErrorReply(const Json& id, int code, std::string_view message);
Json Notification(std::string_view method, Json params);

Json ToJson(Position p);
Json RangeJson(Position start, Position end);
// A position from its JSON form; nothing when it is not one.
std::optional<Position> PositionFromJson(const Json& j);

// The local path of a "file:" URI (percent-escapes decoded), or nothing
// for any other URI.
std::optional<std::string> PathOfUri(std::string_view uri);

}  // namespace tarvex::lsp

#endif  // TARVEX_LSP_PROTOCOL_H_
