#include "policyfile/key_file.h"

#include <cstdio>

#include "keywords/ascii_case.h"
#include "keywords/blanks.h"
#include "platform/regular_file.h"
#include "policyfile/policy_format.h"

namespace tarvex {

std::size_t FindKeyFileLine(std::string_view line) {
  if (!MayBeKeyFileLine(line)) return 0;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos || equals == 0) return 0;
  // Trimmed in place: this runs on every line the writer reads.
  const std::string_view keyword = BlanksTrimmed(line.substr(0, equals));
  return EqualsIgnoreAsciiCase(keyword, kKeyFileKeyword) ? equals : 0;
}

std::string HexText(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (unsigned char b : bytes) {
    hex += kDigits[b >> 4];
    hex += kDigits[b & 0x0F];
  }
  return hex;
}

std::size_t EmbedKeyFile(std::string* line, std::size_t equals) {
  const std::string name = StripBlanks(std::string_view(*line).substr(equals + 1));
  std::FILE* file = OpenRegularFile(name);
  if (file == nullptr) return 0;
  char buffer[kMaxKeyFileSize + 1];
  const std::size_t n = std::fread(buffer, 1, sizeof buffer, file);
  std::fclose(file);
  if (n == 0 || n > kMaxKeyFileSize) return 0;
  if (equals + 1 + 2 * n > kMaxKeyLineLength) return 0;
  line->resize(equals + 1);
  *line += HexText(std::string_view(buffer, n));
  return line->size();
}

}  // namespace tarvex
