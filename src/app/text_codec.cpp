#include "app/text_codec.h"

#include <QFile>
#include <QStringDecoder>

#include "platform/string_table.h"

namespace tarvex::app {

QString FromBytes(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToBytes(const QString& text) {
  return text.toLatin1().toStdString();
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

}  // namespace tarvex::app
