// The process of one object that a container started ("tarvex -Embedding"):
// the object and its service on the session bus. The process ends when the
// container leaves the bus or closes the object.
#ifndef TARVEX_QT_EMBEDDING_EMBEDDING_SERVER_H_
#define TARVEX_QT_EMBEDDING_EMBEDDING_SERVER_H_

#include <QString>
#include <memory>

namespace tarvex::qt {

class CTarvexApp;
class EmbeddedObject;
class EmbeddingService;

class EmbeddingServer {
 public:
  // `app` has created its frame and an empty document.
  explicit EmbeddingServer(CTarvexApp& app);
  ~EmbeddingServer();

  // Serves the object to the container named in TARVEX_EMBED_CONTAINER on
  // the session bus. False, with the reason in `error`, when it cannot.
  bool Start(QString* error);

  EmbeddedObject& object() { return *object_; }

 private:
  std::unique_ptr<EmbeddedObject> object_;
  std::unique_ptr<EmbeddingService> service_;
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_EMBEDDING_EMBEDDING_SERVER_H_
