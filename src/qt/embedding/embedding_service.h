// EmbeddingService: an EmbeddedObject on the session bus, as the interface
// org.tarvex.Embedding1 at /org/tarvex/Object (docs/embedding/
// org.tarvex.Embedding1.xml; the adaptor is generated from it).
//
// Only the container that started the process may call the object: the bus
// name in TARVEX_EMBED_CONTAINER. Calls from any other name get an
// access-denied error and change nothing. When the container leaves the
// bus, containerGone() is emitted.
#ifndef TARVEX_QT_EMBEDDING_EMBEDDING_SERVICE_H_
#define TARVEX_QT_EMBEDDING_EMBEDDING_SERVICE_H_

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QStringList>

#include "qt/embedding/embedded_object.h"

class QDBusServiceWatcher;

namespace tarvex::qt {

class EmbeddingService : public QObject, protected QDBusContext {
  Q_OBJECT

 public:
  static constexpr const char* kInterface = "org.tarvex.Embedding1";
  static constexpr const char* kObjectPath = "/org/tarvex/Object";
  static constexpr const char* kContainerVariable = "TARVEX_EMBED_CONTAINER";

  EmbeddingService(EmbeddedObject& object, const QDBusConnection& bus, const QString& container);
  ~EmbeddingService() override;

  // Exports the object, watches the container and sends it Ready. False,
  // with the reason in `error`, when the bus or the container is missing.
  bool Start(QString* error);

  // The interface's methods, as the generated adaptor calls them.
 public slots:
  void InitNew();
  void Load(const QByteArray& contents);
  QByteArray Save();
  bool IsDirty();
  int GetExtent(uint aspect, int& height);
  QByteArray Draw(uint aspect);
  QStringList GetVerbs();
  void DoVerb(int verb, qulonglong socketWindow);
  void SetHostNames(const QString& containerName, const QString& objectName);
  void Deactivate();
  void Close();

 signals:
  // Relayed to the bus by the adaptor.
  void DataChanged();
  void SaveRequested();
  void Deactivated();
  void ExtentChanged(int width, int height);
  void Closed();  // never emitted: Close sends it itself

  // The container left the bus: the process should end.
  void containerGone();

 private:
  // Whether the caller may call; refuses it with an error reply when not.
  bool FromContainer();
  // Sends `error` as the reply; true when there was one.
  bool Reply(const EmbeddedObject::Result& error);

  EmbeddedObject& object_;
  QDBusConnection bus_;
  QString container_;       // as given
  QString containerOwner_;  // its unique name, which calls carry
  QDBusServiceWatcher* watcher_ = nullptr;
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_EMBEDDING_EMBEDDING_SERVICE_H_
