// Random policy sources for property tests: entries of known and unknown
// keywords, every fault shape, attributes, continuations, comments,
// sections, blank lines, mixed line ends, zero bytes and long lines.
#ifndef TARVEX_TESTS_SUPPORT_SOURCE_GENERATOR_H_
#define TARVEX_TESTS_SUPPORT_SOURCE_GENERATOR_H_

#include <random>
#include <string>
#include <vector>

#include "keywords/keyword_table.h"

namespace tarvex::testing {

// A dictionary with every type, odd bounds, a duplicate and an empty name.
inline KeywordTable GeneratorDictionary() {
  KeywordTable t;
  t.Append({"Name", "string", "", ""});
  t.Append({"Port", "int", "1", "65535"});
  t.Append({"Level", "Int", "-5", "5"});
  t.Append({"Upside", "int", "10", "1"});
  t.Append({"Enabled", "bool", "", ""});
  t.Append({"Odd", "integer", "", ""});
  t.Append({"", "string", "", ""});
  t.Append({"DUP", "bool", "", ""});
  t.Append({"dup", "string", "", ""});
  return t;
}

class SourceGenerator {
 public:
  explicit SourceGenerator(unsigned seed) : rng_(seed) {}

  // A source of up to `maxLines` lines; `longLines` allows lines beyond 1023 bytes.
  std::string Source(int maxLines, bool longLines) {
    std::string s;
    const int lines = Pick(maxLines + 1);
    for (int i = 0; i < lines; ++i) s += Line(longLines) + LineEnd();
    if (Pick(4) == 0) s += Line(longLines);  // a last line without its end
    return s;
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  template <typename T>
  const T& OneOf(const std::vector<T>& v) {
    return v[Pick(static_cast<int>(v.size()))];
  }

  std::string LineEnd() {
    static const std::vector<std::string> ends{"\r\n", "\r\n", "\r\n", "\n", "\r", ""};
    return OneOf(ends);
  }

  std::string Blanks() {
    static const std::vector<std::string> b{"", "", " ", "  ", "\t", " \t "};
    return OneOf(b);
  }

  std::string Line(bool longLines) {
    static const std::vector<std::string> keywords{
        "Name", "name", "Port", "PORT",  "Level", "Upside",     "Enabled", "Odd", "DUP",
        "dup",  "Nope", "",     "Port5", "Na me", "Key{policy", "Ñame",    "="};
    static const std::vector<std::string> attributes{
        "",        "",          "",  "{policy}", "{DEFAULT}", "{ Policy }",
        "{other}", "{policy}x", "{", "}",        "{}",        "{=}"};
    static const std::vector<std::string> values{
        "1",    "0",    "65535", "65536",       "-1",    "+",         "-",        "007",
        "1.5",  "0x10", "true",  "FALSE",       "yes",   "",          "a = b",    "x\\",
        "a \\", "\\",   "5 \\ ", "99999999999", "10abc", "\xE9t\xE9", "Port = 1", "a\\b"};
    switch (Pick(12)) {
      case 0:
        return Blanks();
      case 1:
        return Blanks() + "; comment = x\\";
      case 2:
        return Blanks() + "[Section] = 1";
      case 3:
        return Blanks() + OneOf(keywords) + " " + OneOf(values);  // no "="
      case 4:
        if (longLines) return "Name = " + std::string(1010 + Pick(40), 'x') + OneOf(values);
        [[fallthrough]];
      case 5:
        if (Pick(3) == 0) return std::string("Name = a\0 = b", 13);
        [[fallthrough]];
      default:
        return Blanks() + OneOf(keywords) + Blanks() + OneOf(attributes) + Blanks() + "=" +
               Blanks() + OneOf(values) + Blanks();
    }
  }

  std::mt19937 rng_;
};

}  // namespace tarvex::testing

#endif  // TARVEX_TESTS_SUPPORT_SOURCE_GENERATOR_H_
