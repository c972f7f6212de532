// Conversions between the core's byte strings and Qt's strings.
//
// The document is 8-bit text in Windows code page 1252: one byte is one
// character, so text and keyword names go through the code page and come
// back byte for byte. Paths use the file system's own encoding. Messages may mix both (a
// path and a piece of the source), so they are read as UTF-8 when they are
// valid UTF-8 and as Latin-1 otherwise.
#ifndef TARVEX_QT_TEXT_CODEC_H_
#define TARVEX_QT_TEXT_CODEC_H_

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex::qt {

QString FromBytes(std::string_view bytes);
// Characters the code page cannot hold become "?".
std::string ToBytes(const QString& text);
// The bytes of `text`, or nothing when the code page cannot hold all of it.
std::optional<std::string> ToCodePage(const QString& text);
// The first character of `text` that the code page cannot hold, or an empty string.
QString FirstOutsideCodePage(const QString& text);

QString FromPath(const std::string& path);
std::string ToPath(const QString& path);

QString FromMessage(std::string_view message);

// A string-table text as a QString.
QString LoadText(int id);

}  // namespace tarvex::qt

#endif  // TARVEX_QT_TEXT_CODEC_H_
