#include "qt/embedding/embedding_server.h"

#include <QCoreApplication>
#include <QDBusConnection>

#include "qt/embedding/embedded_object.h"
#include "qt/embedding/embedding_service.h"

namespace tarvex::qt {

EmbeddingServer::EmbeddingServer(CTarvexApp& app)
    : object_(std::make_unique<EmbeddedObject>(app)) {}

EmbeddingServer::~EmbeddingServer() {
  service_.reset();  // off the bus before the object goes
  object_.reset();
}

bool EmbeddingServer::Start(QString* error) {
  const QString container = qEnvironmentVariable(EmbeddingService::kContainerVariable).trimmed();
  service_ = std::make_unique<EmbeddingService>(*object_, QDBusConnection::sessionBus(), container);
  // The object lives as long as its container: nobody else can reach it.
  QObject::connect(service_.get(), &EmbeddingService::containerGone, qApp,
                   [] { QCoreApplication::exit(0); });
  return service_->Start(error);
}

}  // namespace tarvex::qt
