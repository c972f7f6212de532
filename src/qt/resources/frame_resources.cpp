#include "qt/resources/frame_resources.h"

#include <QIcon>

#include "qt/text_codec.h"

// Outside any namespace, as Qt's resource macro requires.
static void InitTarvexResources() {
  Q_INIT_RESOURCE(tarvex);
}

namespace tarvex::qt::resources {

void InitResources() {
  static const bool registered = (InitTarvexResources(), true);
  (void)registered;
}

QIcon ToolbarIcon(const char* image) {
  return QIcon(QStringLiteral(":/tarvex/toolbar/%1.svg").arg(QString::fromLatin1(image)));
}

QIcon ApplicationIcon() {
  return QIcon(QStringLiteral(":/tarvex/icons/app.svg"));
}

QString ApplicationIconPath(int size) {
  return QStringLiteral(":/tarvex/icons/app-%1.png").arg(size);
}

QString DocumentIconPath(int size) {
  return QStringLiteral(":/tarvex/icons/document-%1.png").arg(size);
}

QString DocumentStringField(int index) {
  return FromMessage(shell::DocumentStringField(index));
}

}  // namespace tarvex::qt::resources
