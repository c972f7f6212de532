#include "cli/tarvexc.h"

#include <iostream>
#include <optional>

#include "checker/all_faults.h"
#include "cli/check_report.h"
#include "cli/console_frame.h"
#include "cli/console_window_system.h"
#include "cli/file_read_ahead.h"
#include "commands/open_commands.h"
#include "commands/path_rules.h"
#include "keywords/keyword_file.h"
#include "lsp/run_server.h"
#include "platform/file_ops.h"
#include "platform/message_format.h"
#include "platform/regular_file.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "platform/version.h"
#include "policyfile/policy_format.h"

namespace tarvex {
namespace {

constexpr const char* kUsage =
    "Usage: tarvexc [--keywords PATH] generate FILE\n"
    "       tarvexc [--keywords PATH] check [--all] [--format=text|json] FILE.inf\n"
    "       tarvexc convert FILE.bin [-o OUT.inf]\n"
    "       tarvexc lsp [--keywords PATH]\n";

constexpr const char* kHelp =
    "Compile Tarvex policy sources (.inf) into enciphered policy binaries and back.\n"
    "\n"
    "Commands:\n"
    "  generate FILE    FILE.inf: check it and write policy.bin in its folder;\n"
    "                   FILE.bin: convert it into the .inf of the same base name\n"
    "  check FILE.inf   check FILE.inf against the keyword dictionary; write nothing\n"
    "  convert FILE.bin decipher FILE.bin into Untitled.inf in its folder\n"
    "  lsp              serve the Language Server Protocol on standard input and\n"
    "                   output; the dictionary is --keywords PATH, else keyword.txt\n"
    "                   in the document's folder or the nearest parent folder\n"
    "\n"
    "Options:\n"
    "  --keywords PATH  the keyword dictionary (default: keyword.txt in the\n"
    "                   current directory)\n"
    "  -o, --output OUT with convert: write the source to OUT instead\n"
    "  --all            with check: report every fault, not only the first\n"
    "  --format=FORMAT  with check: text (default) or json, one JSON array of\n"
    "                   {file, line, column, endLine, endColumn, id, message} on\n"
    "                   standard output\n"
    "  -h, --help       show this help and exit\n"
    "      --version    show the version and exit\n"
    "\n"
    "A key file named on a PeerLinkKey line is read relative to the current directory.\n"
    "Success messages go to standard output, all other messages to standard error.\n"
    "Exit status: 0 on success, 1 when the command failed, 2 for a usage error.\n";

struct Options {
  std::string command;
  std::vector<std::string> files;
  std::optional<std::string> keywords;
  std::optional<std::string> output;
  std::optional<std::string> format;
  bool all = false;
  bool help = false;
  bool version = false;
};

int UsageError(std::ostream& err, const std::string& what) {
  err << "tarvexc: " << what << "\n" << kUsage << "Try 'tarvexc --help' for more information.\n";
  return kExitUsage;
}

// Parses `args`; returns an exit status when parsing ends the run.
std::optional<int> Parse(const std::vector<std::string>& args, Options* o, std::ostream& err) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    // The option's value is the next argument.
    auto value = [&](std::optional<std::string>* target) {
      if (i + 1 >= args.size()) return false;
      *target = args[++i];
      return true;
    };
    if (optionsEnded || a.size() < 2 || a[0] != '-') {
      if (o->command.empty()) {
        o->command = a;
      } else {
        o->files.push_back(a);
      }
    } else if (a == "--") {
      optionsEnded = true;
    } else if (a == "-h" || a == "--help") {
      o->help = true;
    } else if (a == "--version") {
      o->version = true;
    } else if (a == "--keywords") {
      if (!value(&o->keywords)) return UsageError(err, "option '--keywords' needs a path");
    } else if (a.rfind("--keywords=", 0) == 0) {
      o->keywords = a.substr(11);
    } else if (a == "-o" || a == "--output") {
      if (!value(&o->output)) return UsageError(err, "option '" + a + "' needs a path");
    } else if (a.rfind("--output=", 0) == 0) {
      o->output = a.substr(9);
    } else if (a == "--all") {
      o->all = true;
    } else if (a == "--format") {
      if (!value(&o->format)) return UsageError(err, "option '--format' needs text or json");
    } else if (a.rfind("--format=", 0) == 0) {
      o->format = a.substr(9);
    } else {
      return UsageError(err, "unknown option '" + a + "'");
    }
  }
  return std::nullopt;
}

// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::FILE* f = OpenForBinaryReading(path);
  if (f == nullptr) return std::nullopt;
  std::string bytes;
  char buffer[64 * 1024];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return std::nullopt;
  return bytes;
}

}  // namespace

int RunTarvexc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options o;
  if (std::optional<int> status = Parse(args, &o, err)) return *status;
  if (o.help) {
    out << kUsage << "\n" << kHelp;
    return kExitSuccess;
  }
  if (o.version) {
    out << "tarvexc (Tarvex) " << kVersion << "\n";
    return kExitSuccess;
  }
  if (o.command.empty()) return UsageError(err, "no command given");
  if (o.command != "generate" && o.command != "check" && o.command != "convert" &&
      o.command != "lsp") {
    return UsageError(err, "unknown command '" + o.command + "'");
  }
  if ((o.all || o.format) && o.command != "check") {
    return UsageError(
        err, std::string("option '") + (o.all ? "--all" : "--format") + "' goes with check only");
  }
  if (o.format && *o.format != "text" && *o.format != "json") {
    return UsageError(err, "unknown format '" + *o.format + "' (text or json)");
  }
  if (o.command == "lsp") {
    if (!o.files.empty()) return UsageError(err, "lsp takes no FILE");
    if (o.output) return UsageError(err, "option '--output' goes with convert only");
    lsp::UseBinaryStandardStreams();
    return lsp::RunLanguageServer(std::cin, out, err, o.keywords);
  }
  if (o.files.size() != 1) {
    return UsageError(err, o.files.empty() ? "no FILE given" : "only one FILE may be given");
  }
  if (o.output && o.command != "convert") {
    return UsageError(err, "option '--output' goes with convert only");
  }
  const std::string& file = o.files[0];

  ConsoleWindowSystem ws(out, err);
  ws.SetDocumentPath(file);
  ConsoleFrame frame(ws);
  KeywordTable table;
  frame.SetKeywordTable(&table);
  const std::string keywordPath = o.keywords.value_or(kKeywordFileName);
  auto loadKeywords = [&] { return LoadKeywordFile(table, keywordPath, ws); };
  const PolicyFileType type = ClassifyExtension(file);
  // A large source is read while a large dictionary loads.
  std::optional<FileReadAhead> readAhead;
  const bool framedCheck = o.command == "check" && !o.all && o.format != "json";
  if (type == PolicyFileType::kSource && (o.command == "generate" || framedCheck)) {
    readAhead.emplace(file, FileSizeHint(keywordPath));
    frame.SetSourceReader(
        [&](const std::string& path, FileText* text) { return readAhead->Read(path, text); });
  }

  bool ok = false;
  if (o.command == "generate") {
    if (type == PolicyFileType::kSource && !loadKeywords()) return kExitFailure;
    ok = frame.GenerateFromPath(file);
  } else if (o.command == "check") {
    if (type != PolicyFileType::kSource) {
      ws.FrameMessageBox(IDS_INCORRECT_EXTENSION,
                         std::string(LoadStringText(IDS_INCORRECT_EXTENSION)));
      return kExitFailure;
    }
    if (!loadKeywords()) return kExitFailure;
    const bool json = o.format == "json";
    if (!o.all && !json) {
      frame.m_sourcePath = file;
      ok = frame.CheckSource();
    } else {
      const std::optional<std::string> text = ReadWholeFile(file);
      if (!text) {
        ws.FrameMessageBox(IDS_ERROR_READING_FILE, FormatMessage(IDS_ERROR_READING_FILE, {file}));
        return kExitFailure;
      }
      std::vector<SourceFault> faults = CheckText(*text, table);
      // Without --all the report is Generate's: the first fault alone.
      if (!o.all && faults.size() > 1) faults.resize(1);
      if (json) {
        WriteFaultsAsJson(file, *text, faults, out);
      } else {
        WriteFaultsAsText(file, *text, faults, err);
      }
      ok = faults.empty();
    }
  } else {  // convert
    if (type != PolicyFileType::kBinary) {
      ws.FrameMessageBox(IDS_INCORRECT_EXTENSION, WrongExtensionForOpeningText());
      return kExitFailure;
    }
    frame.m_fromDrop = false;
    frame.m_binaryMode = true;
    const std::string target =
        o.output.value_or(SiblingPath(file, kConvertedSourceBaseName, kSourceExtension));
    ok = frame.ConvertPolicyBinaryTo(file, target);
  }
  return ok ? kExitSuccess : kExitFailure;
}

}  // namespace tarvex
