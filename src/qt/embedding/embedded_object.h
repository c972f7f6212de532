// EmbeddedObject: the document as an object that a container holds. It
// knows nothing of the bus: the container's calls arrive as these member
// functions, and what the container must learn leaves as signals.
//
// States: loaded (not being edited), in place (the view inside the
// container's XEmbed socket, in a CInPlaceFrame) and open (the main frame
// with menu and accelerators 5). The text is the document's, byte for byte.
#ifndef TARVEX_QT_EMBEDDING_EMBEDDED_OBJECT_H_
#define TARVEX_QT_EMBEDDING_EMBEDDED_OBJECT_H_

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QStringList>
#include <memory>
#include <optional>

class QAbstractNativeEventFilter;
class QWindow;

namespace tarvex::qt {

class CInPlaceFrame;
class CTarvexApp;

class EmbeddedObject : public QObject {
  Q_OBJECT

 public:
  enum class State { kLoaded, kInPlace, kOpen };

  // A refused call: a D-Bus error name and a text for the container's author.
  struct Error {
    QString name;
    QString text;
  };
  using Result = std::optional<Error>;  // nullopt: done

  static constexpr const char* kErrorNotNow = "org.tarvex.Embedding1.Error.NotNow";
  static constexpr const char* kErrorTooLarge = "org.tarvex.Embedding1.Error.TooLarge";
  static constexpr const char* kErrorInvalidArgument =
      "org.tarvex.Embedding1.Error.InvalidArgument";
  static constexpr const char* kErrorNotSupported = "org.tarvex.Embedding1.Error.NotSupported";

  // The natural size of every object, 30 mm square in 0.01 mm, for aspect 1.
  static constexpr int kExtent = 3000;
  static constexpr unsigned kAspectContent = 1;

  // `app` has created its frame and document.
  explicit EmbeddedObject(CTarvexApp& app);
  ~EmbeddedObject() override;

  // A new empty text, or the text of `contents`; refused while the object
  // is being edited, and Load beyond the editor's 1,048,575 bytes.
  Result InitNew();
  Result Load(const QByteArray& contents);
  // The text, byte for byte; the object is then not dirty. Any state.
  QByteArray Save();
  bool IsDirty() const;

  Result GetExtent(unsigned aspect, QSize* extent) const;
  // The inactive object's picture: an empty PNG, 30 mm at 96 dots per inch.
  Result Draw(unsigned aspect, QByteArray* png) const;
  static QStringList Verbs();

  // 0: in place, inside the X window `socketWindow`; 1: in the main frame.
  Result DoVerb(int verb, quint64 socketWindow);
  void SetHostNames(const QString& containerName, const QString& objectName);
  // Ends editing in place or in the own window; nothing when not edited.
  void Deactivate();
  // Ends editing and sends Closed; the process ends after that.
  void Close();

  State state() const { return state_; }
  CInPlaceFrame* inPlaceFrame() const { return inPlace_.get(); }
  const QString& objectName() const { return objectName_; }

 signals:
  void DataChanged();
  void SaveRequested();
  void Deactivated();
  void ExtentChanged(int width, int height);
  void Closed();

 private:
  Result ActivateInPlace(quint64 socketWindow);
  void OpenOwnWindow();
  // Leave editing in place or in the own window for the loaded state; the
  // callers say whether the container hears of it (Deactivated).
  void EndInPlace();
  void EndOpen();
  void OnOwnWindowClosed();
  void UpdateHostNames();
  Result RefuseWhileEditing() const;

  // The socket vanished under the frame (the container dropped it): editing
  // in place is over.
  void OnSocketLost();

  CTarvexApp& app_;
  std::unique_ptr<CInPlaceFrame> inPlace_;
  std::unique_ptr<QAbstractNativeEventFilter> socketWatch_;
  QPointer<QWindow> socket_;
  quint64 socketWindow_ = 0;
  State state_ = State::kLoaded;
  QString containerName_;
  QString objectName_;
  bool serverModeEntered_ = false;
  bool loading_ = false;
  bool dataChangePending_ = false;
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_EMBEDDING_EMBEDDED_OBJECT_H_
