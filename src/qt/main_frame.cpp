#include "qt/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "platform/message_format.h"
#include "platform/resource_ids.h"
#include "qt/checking/source_checking.h"
#include "qt/help_viewer.h"
#include "qt/keyword_toolbar.h"
#include "qt/lock_keys.h"
#include "qt/resources/frame_resources.h"
#include "qt/status_bar.h"
#include "qt/tarvex_app.h"
#include "qt/tarvex_doc.h"
#include "qt/tarvex_view.h"
#include "qt/text_codec.h"
#include "shell/document_rules.h"

namespace tarvex::qt {
namespace {

// The local files of a drag from the desktop, in drop order.
std::vector<std::string> DroppedPaths(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths.push_back(ToPath(url.toLocalFile()));
  }
  return paths;
}

}  // namespace

CMainFrame::CMainFrame(CTarvexApp& app, WindowSystem& ws, Dialogs& dialogs)
    : QMainWindow(nullptr), MainFrameLogic(ws), app_(app), dialogs_(dialogs) {
  setObjectName(QStringLiteral("CMainFrame"));
  setWindowIcon(resources::ApplicationIcon());
  view_ = new CTarvexView(this);
  setCentralWidget(view_);
  m_wndTools = new CKeywordToolBar(this);
  m_wndStatus = new CTarvexStatusBar(this);
  // Before the first drop or Generate a conversion from File, Open opens
  // its result and reports success itself.
  m_fromDrop = false;
  idle_.setSingleShot(true);
  idle_.setInterval(0);
  connect(&idle_, &QTimer::timeout, this, [this] {
    UpdateStatusPanes(idleLocks_);
    idleLocks_ = false;
  });
  UpdateTitle();
  resize(900, 640);
}

CMainFrame::~CMainFrame() = default;

HelpViewer* CMainFrame::helpViewer() const {
  return help_;
}

int CMainFrame::OnCreate() {
  RegisterCommands();
  CreateActions();
  m_wndTools->LoadToolBar(actions_);
  CreateMenus();
  setStatusBar(m_wndStatus);
  addToolBar(Qt::TopToolBarArea, m_wndTools);

  // The keyword browser; without keyword.txt the frame is not created.
  if (!m_wndTools->CreateBox(ID_KEYWORD, shell::ToolbarBoxWidth(ID_KEYWORD))) return -1;
  if (!FillKeywordBox()) return -1;
  for (int id : {ID_KEYWORD_TYPE, ID_KEYWORD_MIN, ID_KEYWORD_MAX}) {
    if (!m_wndTools->CreateBox(id, shell::ToolbarBoxWidth(id))) return -1;
  }
  connect(m_wndTools, &CKeywordToolBar::keywordSelChange, this, [this] { OnKeywordSelChange(); });

  // Checking while typing, with the dictionary just loaded.
  checking_ = new SourceChecking(view_, keywordTable(), this);
  if (viewMenu_ != nullptr) {
    viewMenu_->addSeparator();
    viewMenu_->addActions(checking_->actions());
  }
  m_wndStatus->addPermanentWidget(checking_->countLabel());

  ConnectEnabledStates();
  connect(view_, &CTarvexView::displayChanged, this, [this] { RequestIdleUpdate(); });
  connect(view_, &CTarvexView::codePageRefused, this, [this](const QString& character) {
    m_wndStatus->ShowNotice(
        FromMessage(FormatMessage(IDS_NOT_IN_CODE_PAGE, {character.toStdString()})));
  });
  qApp->installEventFilter(this);  // lock keys change with any key, anywhere
  RequestIdleUpdate(true);
  return 0;
}

void CMainFrame::SetDocument(CTarvexDoc* doc) {
  doc_ = doc;
  connect(doc_, &CTarvexDoc::titleChanged, this, &CMainFrame::UpdateTitle);
  UpdateTitle();
}

bool CMainFrame::ExecuteCommand(int id) {
  return router_.Execute(id);
}

void CMainFrame::ActivateFrame() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

void CMainFrame::UpdateTitle() {
  const QString name = doc_ ? doc_->title() : QString::fromLatin1(resources::kUntitled);
  QString title = FromMessage(shell::FrameTitle(ToPath(name)));
  title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));  // Qt's modified mark
  setWindowTitle(title);
}

void CMainFrame::RequestIdleUpdate(bool locks) {
  idleLocks_ = idleLocks_ || locks;
  if (!idle_.isActive()) idle_.start();
}

void CMainFrame::UpdateStatusPanes(bool locks) {
  if (m_wndStatus->isHidden()) return;  // a hidden bar is not refreshed
  if (locks) m_wndStatus->SetLockKeys(QueryLockKeys());
  m_wndStatus->SetLineColumn(view_->OnUpdateLineCol());
}

void CMainFrame::OnHelpContents() {
  if (!help_) help_ = new HelpViewer(this);
  help_->ShowContents(app_.helpFile());
}

void CMainFrame::closeEvent(QCloseEvent* e) {
  if (onServerClose_) {  // an object's window: the container keeps the changes
    e->accept();
    onServerClose_();
    return;
  }
  if (doc_ && !doc_->SaveModified()) {
    e->ignore();
    return;
  }
  if (help_) help_->close();
  e->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* e) {
  if (!DroppedPaths(e->mimeData()).empty()) e->acceptProposedAction();
}

void CMainFrame::dragMoveEvent(QDragMoveEvent* e) {
  if (!DroppedPaths(e->mimeData()).empty()) e->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* e) {
  std::vector<std::string> paths = DroppedPaths(e->mimeData());
  if (paths.empty()) return e->ignore();
  e->acceptProposedAction();
  // Handled once the drag has ended, so that a message box does not keep
  // the program the files came from waiting.
  QTimer::singleShot(0, this, [this, paths = std::move(paths)] { OnFilesDropped(paths); });
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ApplicationStateChange:
      RequestIdleUpdate(true);
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace tarvex::qt
