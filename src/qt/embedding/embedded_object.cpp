#include "qt/embedding/embedded_object.h"

#include <QAbstractNativeEventFilter>
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QTimer>
#include <QWindow>
#include <functional>

#include "platform/message_format.h"
#include "platform/resource_ids.h"
#include "qt/embedding/in_place_frame.h"
#include "qt/main_frame.h"
#include "qt/resources/frame_resources.h"
#include "qt/tarvex_app.h"
#include "qt/tarvex_doc.h"
#include "qt/tarvex_view.h"
#include "qt/text_codec.h"

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace tarvex::qt {
namespace {

// 30 mm at 96 dots per inch.
constexpr int kPicturePixels = 113;

EmbeddedObject::Error MakeError(const char* name, const QString& text) {
  return {QString::fromLatin1(name), text};
}

// Whether `window` is a window of the X server the application talks to.
// A stale or made-up number must not become the frame's parent.
bool XWindowExists(quint64 window) {
#if QT_CONFIG(xcb)
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || window == 0 || window > 0xFFFFFFFFu) return false;
  xcb_connection_t* connection = x11->connection();
  const xcb_get_window_attributes_cookie_t cookie =
      xcb_get_window_attributes(connection, static_cast<xcb_window_t>(window));
  xcb_get_window_attributes_reply_t* reply =
      xcb_get_window_attributes_reply(connection, cookie, nullptr);
  const bool exists = reply != nullptr;
  std::free(reply);
  return exists;
#else
  (void)window;
  return false;
#endif
}

// Watches the in-place frame's X window while it sits in a socket: when X
// moves it out (the socket's window went, and X put the frame back on the
// root window) or destroys it, `lost` runs once, after the event.
class SocketWatch : public QAbstractNativeEventFilter {
 public:
  explicit SocketWatch(std::function<void()> lost) : lost_(std::move(lost)) {}

  // 0 stops watching: the frame is leaving the socket on purpose.
  void Watch(quint64 frameWindow, quint64 socketWindow) {
    frame_ = frameWindow;
    socket_ = socketWindow;
  }

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
#if QT_CONFIG(xcb)
    if (frame_ == 0 || type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    bool lost = false;
    switch (event->response_type & 0x7f) {
      case XCB_REPARENT_NOTIFY: {
        const auto* e = reinterpret_cast<const xcb_reparent_notify_event_t*>(event);
        lost = e->window == frame_ && e->parent != socket_;
        break;
      }
      case XCB_DESTROY_NOTIFY:
        lost = reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window == frame_;
        break;
      default:
        break;
    }
    if (lost) {
      frame_ = 0;
      QTimer::singleShot(0, qApp, lost_);
    }
#else
    (void)type;
    (void)message;
#endif
    return false;
  }

 private:
  std::function<void()> lost_;
  quint64 frame_ = 0;
  quint64 socket_ = 0;
};

}  // namespace

EmbeddedObject::EmbeddedObject(CTarvexApp& app) : app_(app) {
  CTarvexView* view = app_.frame()->view();
  // Every user edit tells the container, once per burst of changes.
  connect(view, &QsciScintilla::textChanged, this, [this] {
    if (loading_ || dataChangePending_) return;
    dataChangePending_ = true;
    QTimer::singleShot(0, this, [this] {
      dataChangePending_ = false;
      emit DataChanged();
    });
  });
}

EmbeddedObject::~EmbeddedObject() {
  // The view goes back to the frame that owns it before the in-place frame goes.
  if (state_ == State::kInPlace) EndInPlace();
  if (socketWatch_) qApp->removeNativeEventFilter(socketWatch_.get());
}

EmbeddedObject::Result EmbeddedObject::RefuseWhileEditing() const {
  if (state_ == State::kLoaded) return std::nullopt;
  return MakeError(kErrorNotNow,
                   QStringLiteral("The object is being edited; call Deactivate first."));
}

EmbeddedObject::Result EmbeddedObject::InitNew() {
  if (Result refused = RefuseWhileEditing()) return refused;
  loading_ = true;
  app_.document()->OnNewDocument();
  loading_ = false;
  return std::nullopt;
}

EmbeddedObject::Result EmbeddedObject::Load(const QByteArray& contents) {
  if (Result refused = RefuseWhileEditing()) return refused;
  if (contents.size() > CTarvexView::kTextLimit) {
    return MakeError(kErrorTooLarge,
                     QStringLiteral("The contents hold %1 bytes; an object holds at most %2.")
                         .arg(contents.size())
                         .arg(CTarvexView::kTextLimit));
  }
  loading_ = true;
  app_.frame()->view()->SetBytes(
      std::string_view(contents.constData(), static_cast<std::size_t>(contents.size())));
  loading_ = false;
  return std::nullopt;
}

QByteArray EmbeddedObject::Save() {
  CTarvexView* view = app_.frame()->view();
  const std::string bytes = view->Bytes();
  view->MarkSaved();
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

bool EmbeddedObject::IsDirty() const {
  return app_.document()->IsModified();
}

EmbeddedObject::Result EmbeddedObject::GetExtent(unsigned aspect, QSize* extent) const {
  if (aspect != kAspectContent) {
    return MakeError(
        kErrorInvalidArgument,
        QStringLiteral("Aspect %1 has no extent; only aspect 1 (content) has.").arg(aspect));
  }
  *extent = QSize(kExtent, kExtent);
  return std::nullopt;
}

EmbeddedObject::Result EmbeddedObject::Draw(unsigned aspect, QByteArray* png) const {
  if (aspect != kAspectContent) {
    return MakeError(
        kErrorInvalidArgument,
        QStringLiteral("Aspect %1 has no picture; only aspect 1 (content) has.").arg(aspect));
  }
  // The object shows its text only while it is edited; inactive, it is an
  // empty square.
  QImage picture(kPicturePixels, kPicturePixels, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  png->clear();
  QBuffer buffer(png);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "PNG");
  return std::nullopt;
}

QStringList EmbeddedObject::Verbs() {
  return {QStringLiteral("&Edit"), QStringLiteral("&Open")};
}

EmbeddedObject::Result EmbeddedObject::DoVerb(int verb, quint64 socketWindow) {
  switch (verb) {
    case 0:
      return ActivateInPlace(socketWindow);
    case 1:
      OpenOwnWindow();
      return std::nullopt;
    default:
      return MakeError(
          kErrorInvalidArgument,
          QStringLiteral("There is no verb %1; the verbs are 0 (&Edit) and 1 (&Open).").arg(verb));
  }
}

EmbeddedObject::Result EmbeddedObject::ActivateInPlace(quint64 socketWindow) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) {
    return MakeError(
        kErrorNotSupported,
        QStringLiteral("Editing in place needs an X11 display (QT_QPA_PLATFORM=xcb)."));
  }
  if (state_ == State::kInPlace && socketWindow == socketWindow_) return std::nullopt;
  if (state_ != State::kLoaded) {
    return MakeError(
        kErrorNotNow,
        QStringLiteral("The object is being edited elsewhere; call Deactivate first."));
  }
  if (!XWindowExists(socketWindow)) {
    return MakeError(
        kErrorInvalidArgument,
        QStringLiteral("There is no X window %1 to edit the object in.").arg(socketWindow));
  }
  CMainFrame* frame = app_.frame();
  if (!inPlace_) {
    auto created = std::make_unique<CInPlaceFrame>([frame](int id) { frame->ExecuteCommand(id); });
    if (created->OnCreate() != 0) {
      return MakeError(kErrorNotSupported,
                       QStringLiteral("The in-place frame could not be built."));
    }
    inPlace_ = std::move(created);
    connect(inPlace_.get(), &CInPlaceFrame::cancelInPlace, this, [this] {
      EndInPlace();
      emit Deactivated();
    });
    connect(inPlace_.get(), &CInPlaceFrame::resizeRequested, this, [this](QSize size) {
      const int dpiX = inPlace_->logicalDpiX();
      const int dpiY = inPlace_->logicalDpiY();
      emit ExtentChanged(size.width() * 2540 / dpiX, size.height() * 2540 / dpiY);
    });
  }
  frame->takeCentralWidget();
  inPlace_->SetView(frame->view());
  // The socket sizes the frame: Qt does not follow a foreign window's size.
  inPlace_->winId();
  socket_ = QWindow::fromWinId(static_cast<WId>(socketWindow));
  inPlace_->windowHandle()->setParent(socket_);
  inPlace_->show();
  frame->view()->setFocus(Qt::OtherFocusReason);
  socketWindow_ = socketWindow;
  state_ = State::kInPlace;
  if (!socketWatch_) {
    socketWatch_ = std::make_unique<SocketWatch>([this] { OnSocketLost(); });
    qApp->installNativeEventFilter(socketWatch_.get());
  }
  static_cast<SocketWatch*>(socketWatch_.get())->Watch(inPlace_->winId(), socketWindow);
  return std::nullopt;
}

void EmbeddedObject::OnSocketLost() {
  if (state_ != State::kInPlace) return;
  EndInPlace();
  emit Deactivated();
}

void EmbeddedObject::EndInPlace() {
  if (socketWatch_) static_cast<SocketWatch*>(socketWatch_.get())->Watch(0, 0);
  inPlace_->hide();
  // Back to no parent before the foreign window goes, which would take the
  // frame's window with it.
  inPlace_->windowHandle()->setParent(nullptr);
  delete socket_;
  socketWindow_ = 0;
  CMainFrame* frame = app_.frame();
  frame->setCentralWidget(inPlace_->TakeView());
  state_ = State::kLoaded;
}

void EmbeddedObject::OpenOwnWindow() {
  if (state_ == State::kInPlace) EndInPlace();  // editing goes on in the own window
  CMainFrame* frame = app_.frame();
  if (!serverModeEntered_) {
    frame->EnterServerMode([this] { emit SaveRequested(); }, [this] { OnOwnWindowClosed(); });
    serverModeEntered_ = true;
  }
  UpdateHostNames();
  state_ = State::kOpen;
  frame->ActivateFrame();
  frame->view()->setFocus(Qt::OtherFocusReason);
}

void EmbeddedObject::OnOwnWindowClosed() {
  if (state_ != State::kOpen) return;
  // Closing hands the changes to the container, without a question.
  if (IsDirty()) emit SaveRequested();
  state_ = State::kLoaded;
  emit Deactivated();
}

void EmbeddedObject::EndOpen() {
  state_ = State::kLoaded;
  app_.frame()->hide();
}

void EmbeddedObject::Deactivate() {
  switch (state_) {
    case State::kInPlace:
      EndInPlace();
      break;
    case State::kOpen:
      EndOpen();
      break;
    case State::kLoaded:
      return;
  }
  emit Deactivated();
}

void EmbeddedObject::Close() {
  if (state_ == State::kInPlace) EndInPlace();
  if (state_ == State::kOpen) EndOpen();
  emit Closed();
}

void EmbeddedObject::SetHostNames(const QString& containerName, const QString& objectName) {
  containerName_ = containerName;
  objectName_ = objectName;
  UpdateHostNames();
}

void EmbeddedObject::UpdateHostNames() {
  CTarvexDoc* doc = app_.document();
  if (objectName_.isEmpty()) {
    doc->SetEmbeddedTitle(QString());
  } else {
    doc->SetEmbeddedTitle(FromMessage(FormatMessage(
        IDS_OBJ_TITLE_INPLACE, {ToBytes(resources::DocumentStringField(2)), ToPath(objectName_)})));
  }
  if (serverModeEntered_) app_.frame()->SetHostObjectName(objectName_);
}

}  // namespace tarvex::qt
