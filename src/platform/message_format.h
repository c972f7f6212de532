// Filling message texts with their arguments.
//
// A message's arguments are always data: a user's text that holds "%s" or
// "%n" is copied as it stands, never read as a format. Only the pattern,
// which comes from the string table, has placeholders.
#ifndef TARVEX_PLATFORM_MESSAGE_FORMAT_H_
#define TARVEX_PLATFORM_MESSAGE_FORMAT_H_

#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace tarvex {

// One argument of a message: a text for "%s", a number for "%d".
class MessageArg {
 public:
  MessageArg(std::string_view text) : value_(std::string(text)) {}  // NOLINT: implicit by design
  MessageArg(const std::string& text) : value_(text) {}             // NOLINT
  MessageArg(const char* text) : value_(std::string(text)) {}       // NOLINT
  MessageArg(int number) : value_(number) {}                        // NOLINT

  // The argument as it appears in a message: a text as it is, a number in decimal.
  std::string ToText() const;

 private:
  std::variant<std::string, int> value_;
};

// Replaces, from left to right, each "%s" and "%d" of `pattern` by the next
// argument, "%1" to "%9" by that argument (counted from 1), and "%%" by "%".
// A placeholder without an argument becomes empty; surplus arguments are
// dropped; any other "%" stays as it is.
std::string FormatText(std::string_view pattern, std::initializer_list<MessageArg> args);

// The string-table text under `id`, filled as FormatText does.
std::string FormatMessage(int id, std::initializer_list<MessageArg> args = {});

}  // namespace tarvex

#endif  // TARVEX_PLATFORM_MESSAGE_FORMAT_H_
