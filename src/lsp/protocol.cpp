#include "lsp/protocol.h"

#include <limits>

namespace tarvex::lsp {

Json Reply(const Json& id, Json result) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}};
}

Json ErrorReply(const Json& id, int code, std::string_view message) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}};
}

Json Notification(std::string_view method, Json params) {
  return {{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}};
}

Json ToJson(Position p) {
  return {{"line", p.line}, {"character", p.character}};
}

Json RangeJson(Position start, Position end) {
  return {{"start", ToJson(start)}, {"end", ToJson(end)}};
}

std::optional<Position> PositionFromJson(const Json& j) {
  if (!j.is_object()) return std::nullopt;
  const auto line = j.find("line");
  const auto character = j.find("character");
  if (line == j.end() || character == j.end() || !line->is_number_unsigned() ||
      !character->is_number_unsigned()) {
    return std::nullopt;
  }
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<int>::max());
  const auto l = line->get<std::uint64_t>();
  const auto c = character->get<std::uint64_t>();
  return Position{static_cast<int>(std::min(l, kMax)), static_cast<int>(std::min(c, kMax))};
}

std::optional<std::string> PathOfUri(std::string_view uri) {
  constexpr std::string_view kScheme = "file://";
  if (uri.substr(0, kScheme.size()) != kScheme) return std::nullopt;
  uri.remove_prefix(kScheme.size());
  // An authority other than empty or "localhost" names another machine.
  const std::size_t slash = uri.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  const std::string_view host = uri.substr(0, slash);
  if (!host.empty() && host != "localhost") return std::nullopt;
  uri.remove_prefix(slash);
  auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string path;
  for (std::size_t i = 0; i < uri.size(); ++i) {
    if (uri[i] == '%' && i + 2 < uri.size() && hex(uri[i + 1]) >= 0 && hex(uri[i + 2]) >= 0) {
      path.push_back(static_cast<char>(hex(uri[i + 1]) * 16 + hex(uri[i + 2])));
      i += 2;
    } else {
      path.push_back(uri[i]);
    }
  }
#ifdef _WIN32
  // "file:///C:/dir" names C:/dir.
  if (path.size() >= 3 && path[0] == '/' && path[2] == ':') path.erase(0, 1);
#endif
  return path;
}

}  // namespace tarvex::lsp
