// Embedding the key file of the PeerLinkKey line into the policy binary.
#ifndef TARVEX_POLICYFILE_KEY_FILE_H_
#define TARVEX_POLICYFILE_KEY_FILE_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "keywords/blanks.h"

namespace tarvex {

// Whether `line` may be the key-file line: its first non-blank is a "P" or
// "p". Inline: the writer asks it of every line, and most fail it.
inline bool MayBeKeyFileLine(std::string_view line) {
  std::size_t first = 0;
  while (first < line.size() && IsBlank(line[first])) ++first;
  return first < line.size() && (line[first] | 0x20) == 'p';
}

// The position of the line's first "=" when the text before it, trimmed,
// is "PeerLinkKey" (ASCII case ignored); 0 otherwise (also when "=" is the
// first character).
std::size_t FindKeyFileLine(std::string_view line);

// Replaces everything after the "=" at `equals` with the key file's bytes in
// uppercase hexadecimal. The key file is named by the text after the "=",
// trimmed, relative to the current directory. Returns the new line's
// length; returns 0 and leaves the line unchanged when the file cannot be
// opened or read, is empty, holds 1024 bytes or more, or would make the
// line longer than 1024 characters.
std::size_t EmbedKeyFile(std::string* line, std::size_t equals);

// Uppercase hexadecimal of `bytes`, high half first.
std::string HexText(std::string_view bytes);

}  // namespace tarvex

#endif  // TARVEX_POLICYFILE_KEY_FILE_H_
