#include "commands/path_rules.h"

#include "keywords/ascii_case.h"

namespace tarvex {
namespace {

#ifdef _WIN32
constexpr std::string_view kSeparators = "\\/";
constexpr bool kHasDrives = true;
#else
// A backslash is an ordinary file-name character here.
constexpr std::string_view kSeparators = "/";
constexpr bool kHasDrives = false;
#endif

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

PathPieces SplitPath(std::string_view path) {
  PathPieces p;
  if (kHasDrives && path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':') {
    p.drive = std::string(path.substr(0, 2));
    path.remove_prefix(2);
  }
  const std::size_t sep = path.find_last_of(kSeparators);
  const std::size_t nameStart = sep == std::string_view::npos ? 0 : sep + 1;
  p.folder = std::string(path.substr(0, nameStart));
  const std::string_view name = path.substr(nameStart);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) {
    p.baseName = std::string(name);
  } else {
    p.baseName = std::string(name.substr(0, dot));
    p.extension = std::string(name.substr(dot));
  }
  return p;
}

PolicyFileType ClassifyExtension(std::string_view path) {
  const std::string extension = SplitPath(path).extension;
  if (EqualsIgnoreAsciiCase(extension, ".inf")) return PolicyFileType::kSource;
  if (EqualsIgnoreAsciiCase(extension, ".bin")) return PolicyFileType::kBinary;
  return PolicyFileType::kOther;
}

std::string SiblingPath(std::string_view path, std::string_view baseName,
                        std::string_view extension) {
  const PathPieces p = SplitPath(path);
  std::string out = p.drive + p.folder;
  out += baseName;
  out += '.';
  out += extension;
  return out;
}

}  // namespace tarvex
