// CTarvexApp: the application. It starts the editor from its command line,
// owns the one document, its frame and view, the settings (recent files,
// print-preview pages) and the printer, runs the message loop with its idle
// step, and carries out the commands that concern the application as a
// whole. Every way of opening a file ends in its open-document operation,
// OpenDocumentFile.
//
// For a server that embeds documents: CreateDocumentWindow makes the frame
// without showing it; the document loads and gives back bytes through the
// view (CTarvexView::SetBytes, Bytes, IsModified); CMainFrame::
// EnterServerMode switches to menu and accelerators 5 with an Update
// callback.
#ifndef TARVEX_WIN32_TARVEX_APP_H_
#define TARVEX_WIN32_TARVEX_APP_H_

#include <memory>
#include <string>
#include <vector>

#include "shell/command_line.h"
#include "shell/editor_commands.h"
#include "shell/open_document.h"
#include "shell/recent_file_list.h"
#include "win32/printing.h"
#include "win32/win32_api.h"
#include "win32/win32_window_system.h"

namespace tarvex::win32 {

class CMainFrame;
class CTarvexDoc;

class CTarvexApp : public shell::ApplicationCommands, private shell::DocumentHost {
 public:
  CTarvexApp();
  ~CTarvexApp() override;
  CTarvexApp(const CTarvexApp&) = delete;
  CTarvexApp& operator=(const CTarvexApp&) = delete;

  // Start-up from the arguments after the program's name. True when the
  // main window is up and Run should follow; false when the application
  // ends now, with exitCode().
  bool InitInstance(const std::vector<std::string>& args);
  // The message loop, until the main frame closes; an idle step whenever
  // the queue runs empty after input.
  int Run();
  // Writes the settings back and returns the process's exit code.
  int ExitInstance();
  int exitCode() const { return exitCode_; }

  // Creates the frame with its view and document, hidden. False after
  // "Failed to create empty document." (or the frame's own message).
  bool CreateDocumentWindow();

  // The open-document operation: makes `path` the document. Returns the
  // document, or null when it failed or the user cancelled. `activate`
  // shows the main window and brings it to the front afterwards.
  CTarvexDoc* OpenDocumentFile(const std::string& path, bool activate = true);

  // The application's commands.
  void OnFileNew() override;
  void OnFileOpen() override;
  void OnFilePrintSetup() override;
  void PrintDirect() override { OnFilePrintDirect(); }
  void OnAppExit() override;
  void OnAppAbout() override;
  void OnOpenRecentFile(int index) override;  // 0 for the first entry
  // Print without a dialog: to the named printer, or the current one when
  // `printer` is empty. False (with a message) when nothing was printed.
  bool OnFilePrintDirect(const std::string& printer = {}, const std::string& driver = {},
                         const std::string& port = {});

  CMainFrame* frame() const { return frame_.get(); }
  CTarvexDoc* document() const { return doc_.get(); }
  WindowSystem& windowSystem() { return ws_; }
  Printer& printer() { return printer_; }
  shell::RecentFileList& recentFiles() { return recent_; }
  int previewPages() const { return previewPages_; }
  void setPreviewPages(int pages) { previewPages_ = pages; }

  // Shows a message in the application's box (warning icon), owned by the
  // main window when it is shown.
  void ShowAppMessage(const std::string& text);

 private:
  // The open-document operation's steps (shell/open_document.h).
  std::string ResolvePath(const std::string& path) override;
  bool IsOpenDocument(const std::string& path) override;
  bool HasFrame() override { return frame_ != nullptr; }
  bool CreateFrame() override { return CreateDocumentWindow(); }
  void DestroyFrame() override { DestroyDocumentWindow(); }
  bool SaveModified() override;
  ReadResult ReadDocument(const std::string& path) override;
  void AddToRecentFiles(const std::string& path) override;
  void ActivateFrame() override;

  // The switches of the embedding server ("Embedding", "Automation") and
  // of its registration ("Unregister", "Unregserver"), as given.
  static std::string ServerSwitch(const std::vector<std::string>& args);
  // Started by a container: serves the object without a window of its own.
  // False when the application ends now.
  bool StartEmbedded(const std::string& switchName);
  // Removes the desktop's and the server's registration.
  void Unregister(const std::string& switchName);

  void LoadStdProfileSettings();
  void SaveStdProfileSettings() const;
  bool RunPrintRequest(const shell::CommandLineInfo& info);
  void DestroyDocumentWindow();
  // Messages that go elsewhere before their window: dialogs' keys, accelerators.
  bool PreTranslateMessage(MSG& msg);

  Win32WindowSystem ws_;
  Printer printer_;
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<CTarvexDoc> doc_;
  shell::RecentFileList recent_{true};
  int previewPages_ = 0;
  int exitCode_ = 0;
};

}  // namespace tarvex::win32

#endif  // TARVEX_WIN32_TARVEX_APP_H_
