// The outcome of checking one entry of a policy source.
#ifndef TARVEX_CHECKER_CHECK_RESULT_H_
#define TARVEX_CHECKER_CHECK_RESULT_H_

namespace tarvex {

enum class CheckResult {
  Ok,                      // the entry is acceptable
  BlankKeyword,            // the keyword is empty
  UnknownKeyword,          // no dictionary row has this name
  UnsupportedType,         // the row's type is none of "string", "bool", "int"
  ContinuationNotAllowed,  // a "bool" or "int" entry was continued onto further lines
  BadBoolean,              // a "bool" value other than "true" or "false"
  BadInteger,              // an "int" value that is not an integer text
  OutOfRange,              // an "int" value outside [minimum, maximum], or beyond 32 bits
};

}  // namespace tarvex

#endif  // TARVEX_CHECKER_CHECK_RESULT_H_
