#include "lsp/server.h"

#include <filesystem>

#include "lsp/policy_language.h"
#include "platform/code_page_1252.h"
#include "platform/version.h"

namespace tarvex::lsp {
namespace {

const Json* Member(const Json& j, const char* name) {
  if (!j.is_object()) return nullptr;
  const auto it = j.find(name);
  return it == j.end() ? nullptr : &*it;
}

const std::string* StringMember(const Json& j, const char* name) {
  const Json* m = Member(j, name);
  return m != nullptr && m->is_string() ? m->get_ptr<const std::string*>() : nullptr;
}

// The URI of params.textDocument.
const std::string* DocumentUri(const Json& params) {
  const Json* doc = Member(params, "textDocument");
  return doc == nullptr ? nullptr : StringMember(*doc, "uri");
}

}  // namespace

Server::Server(Transport& transport, std::ostream& log, std::optional<std::string> keywordsPath)
    : transport_(transport), log_(log), keywords_(std::move(keywordsPath)) {}

int Server::Run() {
  std::string body;
  for (;;) {
    switch (transport_.Read(&body)) {
      case ReadStatus::kMessage:
        if (!Handle(body)) return *exitStatus_;
        break;
      case ReadStatus::kEnd:
        if (shutdown_) return 0;
        log_ << "tarvexc lsp: the input ended without an exit notification\n";
        return 1;
      case ReadStatus::kBroken:
        log_ << "tarvexc lsp: " << transport_.error() << "; stopping\n";
        return 1;
    }
  }
}

void Server::Send(const Json& message) {
  // Texts were decoded from code page 1252, so every string is valid UTF-8.
  transport_.Write(message.dump());
}

bool Server::Handle(const std::string& body) {
  Json message = Json::parse(body, nullptr, /*allow_exceptions=*/false);
  if (message.is_discarded()) {
    Send(ErrorReply(nullptr, kParseError, "the message is not JSON"));
    return true;
  }
  const std::string* method = StringMember(message, "method");
  const Json* id = Member(message, "id");
  const bool idUsable = id != nullptr && (id->is_number_integer() || id->is_string());
  if (method == nullptr || (id != nullptr && !idUsable)) {
    // A reply from the client (to nothing we asked) is no fault; anything
    // else without a method is.
    if (method == nullptr && idUsable &&
        (message.contains("result") || message.contains("error"))) {
      return true;
    }
    Send(ErrorReply(idUsable ? *id : Json(nullptr), kInvalidRequest, "not a JSON-RPC request"));
    return true;
  }
  static const Json kNoParams = Json::object();
  const Json* params = Member(message, "params");
  const Json& p = params != nullptr ? *params : kNoParams;
  if (id != nullptr) {
    HandleRequest(*id, *method, p);
  } else {
    HandleNotification(*method, p);
  }
  return !exitStatus_.has_value();
}

void Server::HandleRequest(const Json& id, const std::string& method, const Json& params) {
  if (method == "initialize") {
    initialized_ = true;
    Send(Reply(id, Initialize()));
    return;
  }
  if (!initialized_) {
    Send(ErrorReply(id, kServerNotInitialized, "the server is not initialized"));
    return;
  }
  if (shutdown_) {
    Send(ErrorReply(id, kInvalidRequest, "the server is shutting down"));
    return;
  }
  if (method == "shutdown") {
    shutdown_ = true;
    Send(Reply(id, nullptr));
  } else if (method == "textDocument/completion" || method == "textDocument/hover") {
    const std::optional<Json> result =
        method == "textDocument/hover" ? Hover(params) : Completion(params);
    if (result) {
      Send(Reply(id, *result));
    } else {
      Send(ErrorReply(id, kInvalidParams, "no open document at that position"));
    }
  } else {
    Send(ErrorReply(id, kMethodNotFound, "unknown method " + method));
  }
}

void Server::HandleNotification(const std::string& method, const Json& params) {
  if (method == "exit") {
    exitStatus_ = shutdown_ ? 0 : 1;
    return;
  }
  if (!initialized_ || shutdown_) return;
  const std::string* uri = DocumentUri(params);
  if (uri == nullptr) return;
  if (method == "textDocument/didOpen") {
    const Json& doc = params["textDocument"];
    const std::string* text = StringMember(doc, "text");
    if (text == nullptr) return;
    OpenDocument& d = documents_[*uri];
    d.document = Document(*text);
    d.version = doc.value("version", Json(nullptr));
    d.folder.clear();
    if (std::optional<std::string> path = PathOfUri(*uri)) {
      d.folder = std::filesystem::path(*path).parent_path().string();
    }
    Publish(*uri);
  } else if (method == "textDocument/didChange") {
    auto it = documents_.find(*uri);
    const Json* changes = Member(params, "contentChanges");
    if (it == documents_.end() || changes == nullptr || !changes->is_array()) return;
    // Full synchronisation: the last change holds the whole text.
    for (const Json& change : *changes) {
      if (const std::string* text = StringMember(change, "text")) {
        it->second.document = Document(*text);
      }
    }
    it->second.version = params["textDocument"].value("version", Json(nullptr));
    Publish(*uri);
  } else if (method == "textDocument/didClose") {
    if (documents_.erase(*uri) > 0) {
      Send(Notification("textDocument/publishDiagnostics",
                        {{"uri", *uri}, {"diagnostics", Json::array()}}));
    }
  }
}

Json Server::Initialize() {
  return {{"capabilities",
           {{"positionEncoding", "utf-16"},
            {"textDocumentSync", {{"openClose", true}, {"change", 1}}},
            {"completionProvider", Json::object()},
            {"hoverProvider", true}}},
          {"serverInfo", {{"name", "tarvexc"}, {"version", kVersion}}}};
}

void Server::Publish(const std::string& uri) {
  const OpenDocument& d = documents_.at(uri);
  Json diagnostics = Json::array();
  std::string problem;
  const KeywordTable* table = keywords_.For(d.folder, &problem);
  auto diagnostic = [&](std::size_t start, std::size_t end, int id, const std::string& first,
                        const std::vector<std::string>& more) {
    const Json range = RangeJson(d.document.PositionOf(start), d.document.PositionOf(end));
    Json related = Json::array();
    std::string whole = first;
    for (const std::string& line : more) {
      related.push_back(
          {{"location", {{"uri", uri}, {"range", range}}}, {"message", Cp1252ToUtf8(line)}});
      whole += "\n" + line;
    }
    Json diag = {{"range", range},
                 {"severity", kSeverityError},
                 {"code", id},
                 {"source", "tarvex"},
                 {"message", Cp1252ToUtf8(first)},
                 {"data", {{"message", Cp1252ToUtf8(whole)}}}};
    if (!related.empty()) diag["relatedInformation"] = std::move(related);
    diagnostics.push_back(std::move(diag));
  };
  if (table == nullptr) {
    diagnostic(0, 0, 5450, problem, {});
  } else {
    for (const Fault& f : FaultsOf(d.document.bytes(), *table)) {
      diagnostic(f.start, f.end, f.id, f.firstLine, f.moreLines);
    }
  }
  Json params = {{"uri", uri}, {"diagnostics", std::move(diagnostics)}};
  if (!d.version.is_null()) params["version"] = d.version;
  Send(Notification("textDocument/publishDiagnostics", std::move(params)));
}

const Server::OpenDocument* Server::At(const Json& params, std::size_t* offset) const {
  const std::string* uri = DocumentUri(params);
  const Json* position = Member(params, "position");
  if (uri == nullptr || position == nullptr) return nullptr;
  const auto it = documents_.find(*uri);
  const std::optional<Position> p = PositionFromJson(*position);
  if (it == documents_.end() || !p) return nullptr;
  *offset = it->second.document.OffsetOf(*p);
  return &it->second;
}

std::optional<Json> Server::Completion(const Json& params) {
  std::size_t offset = 0;
  const OpenDocument* d = At(params, &offset);
  if (d == nullptr) return std::nullopt;
  Json items = Json::array();
  std::string problem;
  if (const KeywordTable* table = keywords_.For(d->folder, &problem)) {
    for (const lsp::Completion& c : CompletionsAt(d->document.bytes(), offset, *table)) {
      items.push_back({{"label", Cp1252ToUtf8(c.label)},
                       {"kind", kCompletionKindKeyword},
                       {"detail", Cp1252ToUtf8(c.detail)}});
    }
  }
  return Json{{"isIncomplete", false}, {"items", std::move(items)}};
}

std::optional<Json> Server::Hover(const Json& params) {
  std::size_t offset = 0;
  const OpenDocument* d = At(params, &offset);
  if (d == nullptr) return std::nullopt;
  std::string problem;
  const KeywordTable* table = keywords_.For(d->folder, &problem);
  if (table == nullptr) return Json(nullptr);
  const std::optional<HoverInfo> h = HoverAt(d->document.bytes(), offset, *table);
  if (!h) return Json(nullptr);
  return Json{
      {"contents", {{"kind", "plaintext"}, {"value", Cp1252ToUtf8(h->text)}}},
      {"range", RangeJson(d->document.PositionOf(h->start), d->document.PositionOf(h->end))}};
}

}  // namespace tarvex::lsp
