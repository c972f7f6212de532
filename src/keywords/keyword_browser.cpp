// The keyword browser on the main toolbar: the keyword list and the three
// value boxes that show the chosen keyword's type and bounds.
#include "commands/main_frame_logic.h"
#include "keywords/ascii_case.h"
#include "keywords/keyword_file.h"
#include "platform/window_system.h"

namespace tarvex {
namespace {
constexpr std::size_t kMaxClipboardName = 1023;
}

bool MainFrameLogic::FillKeywordBox() {
  if (!LoadKeywordFile(ws_)) return false;
  for (const KeywordDef& row : GlobalKeywordTable().rows())
    ws_.AddKeywordBoxEntry(std::string(row.name));
  return true;
}

void MainFrameLogic::OnKeywordSelChange() {
  KeywordDef row;
  FindKeyword(keywordTable(), ws_.KeywordBoxText(), &row);
  ws_.ShowInBox(ValueBox::kType, std::string(row.type));
  if (EqualsIgnoreAsciiCase(row.type, "bool")) {
    ws_.ShowInBox(ValueBox::kMinimum, "TRUE");
    ws_.ShowInBox(ValueBox::kMaximum, "FALSE");
  } else if (EqualsIgnoreAsciiCase(row.type, "int")) {
    ws_.ShowInBox(ValueBox::kMinimum, "MIN = " + std::string(row.minimum));
    ws_.ShowInBox(ValueBox::kMaximum, "MAX = " + std::string(row.maximum));
  } else {
    ws_.ShowInBox(ValueBox::kMinimum, std::string(row.minimum));
    ws_.ShowInBox(ValueBox::kMaximum, std::string(row.maximum));
  }
  const std::string name = ws_.KeywordBoxText().substr(0, kMaxClipboardName);
  if (!name.empty()) ws_.SetClipboardText(name);
}

}  // namespace tarvex
