#include "qt/tarvex_app.h"

#include <Qsci/qsciprinter.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <filesystem>
#include <iostream>

#include "commands/open_commands.h"
#include "platform/message_format.h"
#include "platform/resource_ids.h"
#include "qt/about_dialog.h"
#include "qt/dialogs.h"
#include "qt/embedding/embedding_server.h"
#include "qt/help_viewer.h"
#include "qt/main_frame.h"
#include "qt/printing.h"
#include "qt/qt_settings_store.h"
#include "qt/registration/registration.h"
#include "qt/resources/frame_resources.h"
#include "qt/tarvex_doc.h"
#include "qt/tarvex_view.h"
#include "qt/text_codec.h"
#include "shell/document_rules.h"

namespace tarvex::qt {
namespace {

constexpr int kExitFailure = 1;
constexpr double kPrintMarginMm = 15.0;

// Whether two paths name one file. On a file system that tells letter
// case apart, names that differ in case are two files.
bool SameFile(const QString& a, const QString& b) {
  std::error_code error;
  return std::filesystem::equivalent(ToPath(a), ToPath(b), error) && !error;
}

}  // namespace

CTarvexApp::CTarvexApp(Dialogs& dialogs)
    : dialogs_(dialogs),
      ws_(*this),
      printer_(std::make_unique<QsciPrinter>()),
      helpFile_(DefaultHelpFile()) {
  resources::InitResources();
  // Text kept clear of the page's edge, which most printers cannot reach.
  printer_->setPageMargins(
      QMarginsF(kPrintMarginMm, kPrintMarginMm, kPrintMarginMm, kPrintMarginMm),
      QPageLayout::Millimeter);
}

CTarvexApp::~CTarvexApp() {
  server_.reset();
  doc_.reset();
  frame_.reset();
}

bool CTarvexApp::InitInstance(const std::vector<std::string>& args) {
  QCoreApplication::setOrganizationName(QString::fromLatin1(shell::kSettingsKey));
  QCoreApplication::setApplicationName(LoadText(IDS_APP_TITLE));
  LoadStdProfileSettings();

  const shell::CommandLineInfo info = shell::ParseCommandLine(args);
  RegisterWithDesktop(info.runEmbedded);
  if (info.shell == shell::CommandLineInfo::Shell::kAppUnregister) {
    Unregister(info.runEmbedded);
    return false;
  }
  if (info.runEmbedded) return StartEmbedded();
  switch (info.shell) {
    case shell::CommandLineInfo::Shell::kAppUnregister:
      break;  // done above
    case shell::CommandLineInfo::Shell::kFileDde:
      // A desktop request; Tarvex registers none, so there is nothing to answer.
      exitCode_ = 0;
      return false;
    case shell::CommandLineInfo::Shell::kFilePrint:
    case shell::CommandLineInfo::Shell::kFilePrintTo:
      exitCode_ = RunPrintRequest(info) ? 0 : kExitFailure;
      return false;
    case shell::CommandLineInfo::Shell::kFileOpen:
      if (!OpenDocumentFile(FromPath(info.fileName), false)) {
        exitCode_ = kExitFailure;
        return false;
      }
      break;
    case shell::CommandLineInfo::Shell::kFileNew:
      if (!CreateDocumentWindow()) {
        exitCode_ = kExitFailure;
        return false;
      }
      doc_->OnNewDocument();
      break;
  }
  frame_->show();
  frame_->setAcceptDrops(true);
  return true;
}

int CTarvexApp::ExitInstance() {
  if (!unregistered_) SaveStdProfileSettings();
  return exitCode_;
}

void CTarvexApp::RegisterWithDesktop(bool embedded) {
  const auto paths = registration::RegistrationPaths::FromEnvironment();
  registration::RegisterDocumentType(paths);
  if (!embedded && !registration::RegisterServer(paths)) {
    ws_.AppMessageBox(IDP_FAILED_TO_UPDATE_REGISTRY, FormatMessage(IDP_FAILED_TO_UPDATE_REGISTRY));
  }
  registration::RunDatabaseUpdaters(paths);
}

void CTarvexApp::Unregister(bool embedded) {
  unregistered_ = true;
  const bool removed = registration::Unregister(registration::RegistrationPaths::FromEnvironment());
  if (!embedded) {
    const int id = removed ? IDP_UNREG_DONE : IDP_UNREG_FAILURE;
    ws_.AppMessageBox(id, FormatMessage(id));
  }
  exitCode_ = removed ? 0 : kExitFailure;
}

bool CTarvexApp::StartEmbedded() {
  // The container holds the object; no window of it ends the process.
  QGuiApplication::setQuitOnLastWindowClosed(false);
  // keyword.txt is read here, as for a document: without it, no object.
  if (!CreateDocumentWindow()) {
    QGuiApplication::setQuitOnLastWindowClosed(true);
    exitCode_ = kExitFailure;
    return false;
  }
  doc_->OnNewDocument();
  server_ = std::make_unique<EmbeddingServer>(*this);
  QString error;
  if (!server_->Start(&error)) {
    std::cerr << "tarvex: " << error.toLocal8Bit().constData() << "\n";
    server_.reset();
    doc_.reset();
    frame_.reset();
    QGuiApplication::setQuitOnLastWindowClosed(true);
    exitCode_ = kExitFailure;
    return false;
  }
  return true;
}

void CTarvexApp::LoadStdProfileSettings() {
  QtSettingsStore settings;
  shell::LoadProfileSettings(settings, recent_, previewPages_);
}

void CTarvexApp::SaveStdProfileSettings() const {
  QtSettingsStore settings;
  shell::SaveProfileSettings(settings, recent_, previewPages_);
}

bool CTarvexApp::CreateDocumentWindow() {
  frame_ = std::make_unique<CMainFrame>(*this, ws_, dialogs_);
  if (frame_->OnCreate() != 0) {
    frame_.reset();
    ws_.AppMessageBox(IDP_FAILED_TO_CREATE_DOC, FormatMessage(IDP_FAILED_TO_CREATE_DOC));
    return false;
  }
  doc_ = std::make_unique<CTarvexDoc>(*frame_->view(), dialogs_, frame_.get());
  connect(doc_.get(), &CTarvexDoc::savedAs, this,
          [this](const QString& path) { AddToRecentFiles(ToPath(path)); });
  frame_->SetDocument(doc_.get());
  return true;
}

CTarvexDoc* CTarvexApp::OpenDocumentFile(const QString& given, bool activate) {
  return shell::OpenDocumentSteps(*this, ToPath(given), activate) ? doc_.get() : nullptr;
}

std::string CTarvexApp::ResolvePath(const std::string& unquoted) {
  // Absolute, and for a symbolic link the file it points to.
  QString path = QDir::cleanPath(QFileInfo(FromPath(unquoted)).absoluteFilePath());
  const QFileInfo info(path);
  if (info.isSymLink()) {
    const QString target = info.canonicalFilePath();
    path = target.isEmpty() ? info.symLinkTarget() : target;
  }
  return ToPath(path);
}

bool CTarvexApp::IsOpenDocument(const std::string& path) {
  return doc_ && !doc_->path().isEmpty() && SameFile(FromPath(path), doc_->path());
}

void CTarvexApp::DestroyFrame() {
  doc_.reset();
  frame_.reset();
}

bool CTarvexApp::SaveModified() {
  return doc_->SaveModified();
}

shell::DocumentHost::ReadResult CTarvexApp::ReadDocument(const std::string& path) {
  return doc_->ReadFile(FromPath(path));
}

void CTarvexApp::ActivateFrame() {
  frame_->ActivateFrame();
}

void CTarvexApp::AddToRecentFiles(const std::string& path) {
  recent_.Add(path);
  emit recentFilesChanged();
}

void CTarvexApp::OnFileNew() {
  if (!doc_ || !doc_->SaveModified()) return;
  doc_->OnNewDocument();
}

void CTarvexApp::OnFileOpen() {
  ForwardOpenCommand(ws_);
}

void CTarvexApp::OnFilePrintSetup() {
  dialogs_.PrintSetup(frame_.get(), *printer_);
}

void CTarvexApp::OnAppExit() {
  if (frame_) frame_->close();
}

void CTarvexApp::OnAppAbout() {
  CAboutDlg about(frame_.get());
  dialogs_.Run(about);
}

void CTarvexApp::OnOpenRecentFile(int index) {
  if (shell::OpenRecentFile(*this, recent_, index)) emit recentFilesChanged();
}

bool CTarvexApp::OnFilePrintDirect(const QString& printerName) {
  if (!frame_) return false;
  if (!printerName.isEmpty()) {
    if (!PrinterInstalled(printerName)) {
      std::cerr << "tarvex: no printer named \"" << ToPath(printerName) << "\" is installed\n";
      return false;
    }
    printer_->setOutputFormat(QPrinter::NativeFormat);
    printer_->setPrinterName(printerName);
  } else if (!HasPrintTarget(*printer_)) {
    std::cerr << "tarvex: no printer is installed\n";
    return false;
  }
  printer_->setDocName(doc_ ? doc_->title() : QString());
  if (!PrintView(*frame_->view(), *printer_)) {
    dialogs_.Message(frame_->isVisible() ? frame_.get() : nullptr,
                     FromMessage(PrintFailure(*printer_).text), Dialogs::Icon::kWarning);
    return false;
  }
  return true;
}

bool CTarvexApp::RunPrintRequest(const shell::CommandLineInfo& info) {
  if (info.fileName.empty()) {
    std::cerr << "tarvex: printing needs the name of the file to print\n";
    return false;
  }
  // The window stays hidden: the file is printed and the application ends.
  if (!OpenDocumentFile(FromPath(info.fileName), false)) return false;
  const bool printed = OnFilePrintDirect(info.shell == shell::CommandLineInfo::Shell::kFilePrintTo
                                             ? FromPath(info.printerName)
                                             : QString());
  doc_.reset();
  frame_.reset();
  return printed;
}

}  // namespace tarvex::qt
