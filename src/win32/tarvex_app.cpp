#include "win32/tarvex_app.h"

#include <shlobj.h>

#include "commands/open_commands.h"
#include "platform/message_format.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "shell/document_rules.h"
#include "shell/settings_store.h"
#include "win32/main_frame.h"
#include "win32/print_preview.h"
#include "win32/registry_settings_store.h"
#include "win32/tarvex_doc.h"
#include "win32/win32_strings.h"

namespace tarvex::win32 {
namespace {

constexpr int kExitFailure = 1;

std::string AppTitle() {
  return std::string(LoadStringText(IDS_APP_TITLE));
}

// The target of a shortcut (.lnk), or nothing when `path` is none.
std::optional<std::string> ShortcutTarget(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || lstrcmpiA(path.c_str() + dot, ".lnk") != 0) return std::nullopt;
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link)))) {
    return std::nullopt;
  }
  std::optional<std::string> target;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    const std::wstring wide = FromAnsi(path);
    char found[MAX_PATH] = {};
    if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetPath(found, MAX_PATH, nullptr, 0)) && found[0]) {
      target = found;
    }
    file->Release();
  }
  link->Release();
  return target;
}

}  // namespace

std::string CTarvexApp::ResolvePath(const std::string& unquoted) {
  // Absolute, and for a shortcut the file it points to.
  std::string path = unquoted;
  char full[MAX_PATH];
  const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  if (n > 0 && n < MAX_PATH) path.assign(full, n);
  if (auto target = ShortcutTarget(path)) path = *target;
  return path;
}

namespace {

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wparam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

CTarvexApp::CTarvexApp() : ws_(*this) {}

CTarvexApp::~CTarvexApp() {
  DestroyDocumentWindow();
}

void CTarvexApp::ShowAppMessage(const std::string& text) {
  HWND owner = frame_ && IsWindowVisible(frame_->hwnd()) ? frame_->hwnd() : nullptr;
  MessageBoxA(owner, text.c_str(), AppTitle().c_str(), MB_OK | MB_ICONEXCLAMATION);
}

bool CTarvexApp::InitInstance(const std::vector<std::string>& args) {
  LoadStdProfileSettings();
  const shell::CommandLineInfo info = shell::ParseCommandLine(args);
  if (info.runEmbedded) return StartEmbedded(ServerSwitch(args));
  if (info.shell == shell::CommandLineInfo::Shell::kAppUnregister) {
    Unregister(ServerSwitch(args));
    return false;
  }
  switch (info.shell) {
    case shell::CommandLineInfo::Shell::kAppUnregister:
      return false;  // answered above
    case shell::CommandLineInfo::Shell::kFileDde:
      // A desktop request; Tarvex registers none, so there is nothing to answer.
      return false;
    case shell::CommandLineInfo::Shell::kFilePrint:
    case shell::CommandLineInfo::Shell::kFilePrintTo:
      exitCode_ = RunPrintRequest(info) ? 0 : kExitFailure;
      return false;
    case shell::CommandLineInfo::Shell::kFileOpen:
      if (!OpenDocumentFile(info.fileName, false)) {
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
  ShowWindow(frame_->hwnd(), SW_SHOWDEFAULT);
  UpdateWindow(frame_->hwnd());
  frame_->ActivateFrame();
  DragAcceptFiles(frame_->hwnd(), TRUE);
  return true;
}

std::string CTarvexApp::ServerSwitch(const std::vector<std::string>& args) {
  std::string name;
  for (const std::string& arg : args) {
    if (!arg.empty() && (arg[0] == '/' || arg[0] == '-')) name = arg;
  }
  return name;
}

bool CTarvexApp::StartEmbedded(const std::string& switchName) {
  // The embedding server comes later; until then say so rather than start
  // an editor nobody asked for.
  ShowAppMessage(FormatMessage(IDS_SERVER_SWITCH_UNSUPPORTED, {switchName}));
  exitCode_ = kExitFailure;
  return false;
}

void CTarvexApp::Unregister(const std::string& switchName) {
  // Nothing is registered yet: the same message as for the server's start.
  ShowAppMessage(FormatMessage(IDS_SERVER_SWITCH_UNSUPPORTED, {switchName}));
  exitCode_ = kExitFailure;
}

int CTarvexApp::Run() {
  MSG msg{};
  bool idle = true;
  for (;;) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
      if (!PreTranslateMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      // Timers and painting are no input: they do not call for an idle step.
      if (msg.message != WM_TIMER && msg.message != WM_PAINT) idle = true;
    }
    if (idle && frame_) {
      frame_->OnIdle();
      idle = false;
    }
    WaitMessage();
  }
}

bool CTarvexApp::PreTranslateMessage(MSG& msg) {
  return frame_ && frame_->PreTranslateMessage(msg);
}

int CTarvexApp::ExitInstance() {
  SaveStdProfileSettings();
  return exitCode_;
}

void CTarvexApp::LoadStdProfileSettings() {
  RegistrySettingsStore settings;
  shell::LoadProfileSettings(settings, recent_, previewPages_);
}

void CTarvexApp::SaveStdProfileSettings() const {
  RegistrySettingsStore settings;
  shell::SaveProfileSettings(settings, recent_, previewPages_);
}

bool CTarvexApp::CreateDocumentWindow() {
  frame_ = std::make_unique<CMainFrame>(*this, ws_);
  if (!frame_->Create()) {
    frame_.reset();
    ShowAppMessage(FormatMessage(IDP_FAILED_TO_CREATE_DOC));
    return false;
  }
  doc_ = std::make_unique<CTarvexDoc>(frame_->view(), frame_->hwnd());
  doc_->SetSavedAsHandler([this](const std::string& path) { AddToRecentFiles(path); });
  frame_->SetDocument(doc_.get());
  return true;
}

void CTarvexApp::DestroyDocumentWindow() {
  doc_.reset();
  frame_.reset();
}

CTarvexDoc* CTarvexApp::OpenDocumentFile(const std::string& given, bool activate) {
  return shell::OpenDocumentSteps(*this, given, activate) ? doc_.get() : nullptr;
}

bool CTarvexApp::IsOpenDocument(const std::string& path) {
  // Windows names files without regard to letter case.
  return doc_ && !doc_->path().empty() && lstrcmpiA(path.c_str(), doc_->path().c_str()) == 0;
}

bool CTarvexApp::SaveModified() {
  return doc_->SaveModified();
}

shell::DocumentHost::ReadResult CTarvexApp::ReadDocument(const std::string& path) {
  return doc_->ReadFile(path);
}

void CTarvexApp::ActivateFrame() {
  frame_->ActivateFrame();
}

void CTarvexApp::AddToRecentFiles(const std::string& path) {
  recent_.Add(path);
  if (frame_) frame_->UpdateRecentFileMenu();
}

void CTarvexApp::OnFileNew() {
  if (!doc_ || !doc_->SaveModified()) return;
  doc_->OnNewDocument();
}

void CTarvexApp::OnFileOpen() {
  ForwardOpenCommand(ws_);
}

void CTarvexApp::OnFilePrintSetup() {
  printer_.AskSetup(frame_ ? frame_->hwnd() : nullptr);
}

void CTarvexApp::OnAppExit() {
  if (frame_) PostMessageW(frame_->hwnd(), WM_CLOSE, 0, 0);
}

void CTarvexApp::OnAppAbout() {
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUTBOX),
                  frame_ ? frame_->hwnd() : nullptr, AboutProc, 0);
}

void CTarvexApp::OnOpenRecentFile(int index) {
  if (shell::OpenRecentFile(*this, recent_, index) && frame_) frame_->UpdateRecentFileMenu();
}

bool CTarvexApp::OnFilePrintDirect(const std::string& printer, const std::string& driver,
                                   const std::string& port) {
  if (!frame_) return false;
  HDC dc = printer.empty() ? printer_.CurrentPrinterDC()
                           : Printer::NamedPrinterDC(printer, driver, port);
  const std::string name = printer.empty() ? printer_.DeviceName() : printer;
  if (!dc) {
    ShowAppMessage(FormatMessage(IDP_FILE_GENERIC, {name.empty() ? AppTitle() : name}));
    return false;
  }
  // A printer on FILE: prints into a file the user names.
  std::string output;
  if ((printer.empty() ? printer_.PortName() : port) == "FILE:") {
    output = AskPrintFileName(frame_->hwnd());
    if (output.empty()) {
      DeleteDC(dc);
      return false;
    }
  }
  const bool printed = PrintText(dc, frame_->view().Bytes(), doc_ ? doc_->title() : "", output);
  DeleteDC(dc);
  if (!printed) ShowAppMessage(PrintFailureText(name, output));
  return printed;
}

bool CTarvexApp::RunPrintRequest(const shell::CommandLineInfo& info) {
  if (info.fileName.empty()) return false;
  // The window stays hidden: the file is printed and the application ends.
  if (!OpenDocumentFile(info.fileName, false)) return false;
  const bool toNamed = info.shell == shell::CommandLineInfo::Shell::kFilePrintTo;
  const bool printed = toNamed ? OnFilePrintDirect(info.printerName, info.driverName, info.portName)
                               : OnFilePrintDirect();
  DestroyDocumentWindow();
  return printed;
}

}  // namespace tarvex::win32
