#include "qt/embedding/embedding_service.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QTimer>

#include "embedding_adaptor.h"

namespace tarvex::qt {

EmbeddingService::EmbeddingService(EmbeddedObject& object, const QDBusConnection& bus,
                                   const QString& container)
    : object_(object), bus_(bus), container_(container) {
  new EmbeddingAdaptor(this);  // owned by this object; relays the signals below
  connect(&object_, &EmbeddedObject::DataChanged, this, &EmbeddingService::DataChanged);
  connect(&object_, &EmbeddedObject::SaveRequested, this, &EmbeddingService::SaveRequested);
  connect(&object_, &EmbeddedObject::Deactivated, this, &EmbeddingService::Deactivated);
  connect(&object_, &EmbeddedObject::ExtentChanged, this, &EmbeddingService::ExtentChanged);
}

EmbeddingService::~EmbeddingService() {
  if (bus_.isConnected()) bus_.unregisterObject(QString::fromLatin1(kObjectPath));
}

bool EmbeddingService::Start(QString* error) {
  if (!bus_.isConnected()) {
    *error = QStringLiteral("no session bus: %1").arg(bus_.lastError().message());
    return false;
  }
  if (container_.isEmpty()) {
    *error = QStringLiteral("started with -Embedding but without %1, the container's bus name")
                 .arg(QString::fromLatin1(kContainerVariable));
    return false;
  }
  if (!bus_.registerObject(QString::fromLatin1(kObjectPath), this,
                           QDBusConnection::ExportAdaptors)) {
    *error = QStringLiteral("the object could not be exported at %1").arg(kObjectPath);
    return false;
  }
  // Watch first, then look: a container that leaves in between is not missed.
  watcher_ =
      new QDBusServiceWatcher(container_, bus_, QDBusServiceWatcher::WatchForUnregistration, this);
  connect(watcher_, &QDBusServiceWatcher::serviceUnregistered, this,
          &EmbeddingService::containerGone);
  const QDBusReply<QString> owner = bus_.interface()->serviceOwner(container_);
  if (!owner.isValid()) {
    *error = QStringLiteral("the container %1 is not on the bus").arg(container_);
    return false;
  }
  containerOwner_ = owner.value();
  const QDBusMessage ready =
      QDBusMessage::createTargetedSignal(containerOwner_, QString::fromLatin1(kObjectPath),
                                         QString::fromLatin1(kInterface), QStringLiteral("Ready"));
  if (!bus_.send(ready)) {
    *error = QStringLiteral("Ready could not be sent to %1").arg(container_);
    return false;
  }
  return true;
}

bool EmbeddingService::FromContainer() {
  if (!calledFromDBus() || message().service() == containerOwner_) return true;
  sendErrorReply(QDBusError::AccessDenied,
                 QStringLiteral("Only the container that started this object may call it."));
  return false;
}

bool EmbeddingService::Reply(const EmbeddedObject::Result& error) {
  if (!error) return false;
  if (calledFromDBus()) sendErrorReply(error->name, error->text);
  return true;
}

void EmbeddingService::InitNew() {
  if (FromContainer()) Reply(object_.InitNew());
}

void EmbeddingService::Load(const QByteArray& contents) {
  if (FromContainer()) Reply(object_.Load(contents));
}

QByteArray EmbeddingService::Save() {
  return FromContainer() ? object_.Save() : QByteArray();
}

bool EmbeddingService::IsDirty() {
  return FromContainer() && object_.IsDirty();
}

int EmbeddingService::GetExtent(uint aspect, int& height) {
  height = 0;
  if (!FromContainer()) return 0;
  QSize extent;
  if (Reply(object_.GetExtent(aspect, &extent))) return 0;
  height = extent.height();
  return extent.width();
}

QByteArray EmbeddingService::Draw(uint aspect) {
  QByteArray png;
  if (FromContainer()) Reply(object_.Draw(aspect, &png));
  return png;
}

QStringList EmbeddingService::GetVerbs() {
  return FromContainer() ? EmbeddedObject::Verbs() : QStringList();
}

void EmbeddingService::DoVerb(int verb, qulonglong socketWindow) {
  if (FromContainer()) Reply(object_.DoVerb(verb, socketWindow));
}

void EmbeddingService::SetHostNames(const QString& containerName, const QString& objectName) {
  if (FromContainer()) object_.SetHostNames(containerName, objectName);
}

void EmbeddingService::Deactivate() {
  if (FromContainer()) object_.Deactivate();
}

void EmbeddingService::Close() {
  if (!FromContainer()) return;
  object_.Close();
  // Sent here rather than relayed: a relayed signal is built on the bus's
  // own thread and could still be unsent when the process ends.
  bus_.send(QDBusMessage::createSignal(QString::fromLatin1(kObjectPath),
                                       QString::fromLatin1(kInterface), QStringLiteral("Closed")));
  QTimer::singleShot(0, qApp, [bus = bus_]() mutable {
    // A round trip to the bus daemon: what this connection sent before it,
    // the reply and Closed, has left. exit(), not quit(): quit() gives up
    // while a window refuses to close.
    bus.call(QDBusMessage::createMethodCall(
                 QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                 QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping")),
             QDBus::Block, 2000);
    QCoreApplication::exit(0);
  });
}

}  // namespace tarvex::qt
