#include "qt/text_codec.h"

#include <QFile>
#include <QStringDecoder>

#include "platform/code_page_1252.h"
#include "platform/string_table.h"

namespace tarvex::qt {

QString FromBytes(std::string_view bytes) {
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    text[static_cast<qsizetype>(i)] =
        QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(bytes[i]))));
  }
  return text;
}

std::string ToBytes(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (QChar c : text)
    bytes.push_back(static_cast<char>(UnicodeToCp1252(c.unicode()).value_or('?')));
  return bytes;
}

std::optional<std::string> ToCodePage(const QString& text) {
  if (!FirstOutsideCodePage(text).isEmpty()) return std::nullopt;
  return ToBytes(text);
}

QString FirstOutsideCodePage(const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (!UnicodeToCp1252(text[i].unicode())) {
      // A character outside the Basic Multilingual Plane is two units.
      const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
      return text.mid(i, pair ? 2 : 1);
    }
  }
  return QString();
}

QString FromPath(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string ToPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QString FromMessage(std::string_view message) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text =
      utf8.decode(QByteArrayView(message.data(), static_cast<qsizetype>(message.size())));
  if (!utf8.hasError()) return text;
  return FromBytes(message);
}

QString LoadText(int id) {
  const std::string_view text = LoadStringText(id);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace tarvex::qt
