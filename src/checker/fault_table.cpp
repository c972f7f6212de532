#include "checker/fault_table.h"

#include "platform/message_format.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"

namespace tarvex {

FaultReport DescribeFault(CheckResult result, const EntryFacts& e) {
  FaultReport r;
  switch (result) {
    case CheckResult::BlankKeyword:
      r = {IDS_BLANK_KEYWORD, FormatMessage(IDS_BLANK_KEYWORD, {e.line}), std::string(e.lineText),
           SelectKind::Value};
      break;
    case CheckResult::UnknownKeyword:
      r = {IDS_NOT_VALID_KEYWORD, FormatMessage(IDS_NOT_VALID_KEYWORD, {e.keyword, e.line}),
           std::string(e.keyword), SelectKind::Keyword};
      break;
    case CheckResult::UnsupportedType:
      r = {IDS_GENERAL_KEYWORD_ERROR, FormatMessage(IDS_GENERAL_KEYWORD_ERROR),
           std::string(e.keyword), SelectKind::Keyword};
      break;
    case CheckResult::ContinuationNotAllowed:
      r = {IDS_INVALID_CONCATENATION, FormatMessage(IDS_INVALID_CONCATENATION, {e.line}),
           std::string(e.value), SelectKind::Value};
      break;
    case CheckResult::BadBoolean:
      r = {IDS_INVALID_BOOLEAN, FormatMessage(IDS_INVALID_BOOLEAN, {e.line}), std::string(e.value),
           SelectKind::Value};
      break;
    case CheckResult::BadInteger:
      r = {IDS_INVALID_INTEGER, FormatMessage(IDS_INVALID_INTEGER, {e.line, e.keyword}),
           std::string(e.value), SelectKind::Value};
      break;
    case CheckResult::OutOfRange:
      r = {IDS_NOT_WITHIN_RANGE, FormatMessage(IDS_NOT_WITHIN_RANGE, {e.value}),
           std::string(e.value), SelectKind::Value};
      break;
    case CheckResult::Ok:
      break;
  }
  return r;
}

std::string WithUnableToGenerate(std::string message) {
  message += LoadStringText(IDS_UNABLE_TO_GENERATE);
  return message;
}

}  // namespace tarvex
