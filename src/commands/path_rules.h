// The path rules that Generate, Open and dropping share.
//
// A path is drive, folder, base name and extension. The folder runs up to
// and including the last separator ("/", and on Windows also "\", after an
// optional drive letter and colon); the extension is the last path
// component from its last dot on, the dot included, and empty when that
// component has no dot.
#ifndef TARVEX_COMMANDS_PATH_RULES_H_
#define TARVEX_COMMANDS_PATH_RULES_H_

#include <string>
#include <string_view>

namespace tarvex {

struct PathPieces {
  std::string drive;      // "C:" or empty
  std::string folder;     // up to and including the last separator
  std::string baseName;   // the last component without its extension
  std::string extension;  // from the last dot of the last component, or empty
};

PathPieces SplitPath(std::string_view path);

enum class PolicyFileType { kSource, kBinary, kOther };

// ".inf" or ".bin", ASCII case ignored; anything else (no extension
// included) is kOther.
PolicyFileType ClassifyExtension(std::string_view path);

// The drive and folder of `path`, then `baseName`, a dot and `extension`.
std::string SiblingPath(std::string_view path, std::string_view baseName,
                        std::string_view extension);

}  // namespace tarvex

#endif  // TARVEX_COMMANDS_PATH_RULES_H_
