// The string table: every text that Tarvex shows, keyed by its resource id.
//
// Texts are stored exactly as users see them (odd spacing included); "\n"
// is a line break. A command's text is its status-bar prompt, then after a
// line feed its tool tip. Placeholders are "%s" and "%d" (filled in order)
// or "%1" (the framework's texts); fill them with message_format.h, never by
// passing a text to printf.
#ifndef TARVEX_PLATFORM_STRING_TABLE_H_
#define TARVEX_PLATFORM_STRING_TABLE_H_

#include <string_view>

namespace tarvex {

// The text under `id`, or an empty view when the table has none (the
// keyword box 32778, for one, has no prompt). The view lives for the whole
// process.
std::string_view LoadStringText(int id);

// Whether the table holds a text under `id`.
bool HasStringText(int id);

// The part of a command's text before its first line feed: the status-bar prompt.
std::string_view PromptOf(std::string_view commandText);

// The part after the first line feed, or empty when there is none: the tool tip.
std::string_view ToolTipOf(std::string_view commandText);

}  // namespace tarvex

#endif  // TARVEX_PLATFORM_STRING_TABLE_H_
