// CTarvexApp: the application. It starts the editor from its command line,
// owns the one document, its frame and view, the settings (recent files,
// print-preview pages) and the printer, and carries out the commands that
// concern the application as a whole. Every way of opening a file ends in
// its open-document operation, OpenDocumentFile.
#ifndef TARVEX_QT_TARVEX_QT_H_
#define TARVEX_QT_TARVEX_QT_H_

#include <QObject>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "qt/qt_window_system.h"
#include "shell/command_line.h"
#include "shell/editor_commands.h"
#include "shell/open_document.h"
#include "shell/recent_file_list.h"

class QsciPrinter;

namespace tarvex::qt {

class CMainFrame;
class CTarvexDoc;
class Dialogs;
class EmbeddingServer;

class CTarvexApp : public QObject, public shell::ApplicationCommands, private shell::DocumentHost {
  Q_OBJECT

 public:
  explicit CTarvexApp(Dialogs& dialogs);
  ~CTarvexApp() override;

  // Start-up from the arguments after the program's name. True when the main
  // window is up and the event loop should run; false when the application
  // ends now, with exitCode().
  bool InitInstance(const std::vector<std::string>& args);

  // Writes the settings back (unless an unregister request ran) and
  // returns the process's exit code.
  int ExitInstance();
  int exitCode() const { return exitCode_; }

  // The open-document operation: makes `path` the document. Returns the
  // document, or nullptr when it failed or the user cancelled.
  // `activate` brings the main window up afterwards.
  CTarvexDoc* OpenDocumentFile(const QString& path, bool activate = true);

  // The application's commands.
  void OnFileNew() override;
  void OnFileOpen() override;
  void OnFilePrintSetup() override;
  void PrintDirect() override { OnFilePrintDirect(); }
  void OnAppExit() override;
  void OnAppAbout() override;
  void OnOpenRecentFile(int index) override;  // 0 for the first entry
  // Print without a dialog: to `printerName`, or the current printer when
  // empty. False (with a message on the error stream) when nothing printed.
  bool OnFilePrintDirect(const QString& printerName = QString());

  // The object of a process started by a container; null otherwise.
  EmbeddingServer* embeddingServer() const { return server_.get(); }

  CMainFrame* frame() const { return frame_.get(); }
  CTarvexDoc* document() const { return doc_.get(); }
  Dialogs& dialogs() const { return dialogs_; }
  WindowSystem& windowSystem() { return ws_; }
  QsciPrinter& printer() const { return *printer_; }
  shell::RecentFileList& recentFiles() { return recent_; }
  int previewPages() const { return previewPages_; }
  void setPreviewPages(int pages) { previewPages_ = pages; }
  const QString& helpFile() const { return helpFile_; }
  void setHelpFile(const QString& path) { helpFile_ = path; }

 signals:
  void recentFilesChanged();

 private:
  // The open-document operation's steps (shell/open_document.h).
  std::string ResolvePath(const std::string& path) override;
  bool IsOpenDocument(const std::string& path) override;
  bool HasFrame() override { return frame_ != nullptr; }
  bool CreateFrame() override { return CreateDocumentWindow(); }
  void DestroyFrame() override;
  bool SaveModified() override;
  ReadResult ReadDocument(const std::string& path) override;
  void AddToRecentFiles(const std::string& path) override;
  void ActivateFrame() override;

  void LoadStdProfileSettings();
  void SaveStdProfileSettings() const;
  // Creates the frame with its view and document; false after showing
  // "Failed to create empty document.".
  bool CreateDocumentWindow();
  bool RunPrintRequest(const shell::CommandLineInfo& info);
  // "Embedding": the frame and the object for the container; no window yet.
  bool StartEmbedded();
  // Registers the document type and, unless embedded, the server.
  void RegisterWithDesktop(bool embedded);
  // "Unregister": removes both registrations; 61707 or 61708 unless embedded.
  void Unregister(bool embedded);

  Dialogs& dialogs_;
  QtWindowSystem ws_;
  std::unique_ptr<QsciPrinter> printer_;
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<CTarvexDoc> doc_;          // destroyed before the frame that holds its view
  std::unique_ptr<EmbeddingServer> server_;  // destroyed first: it holds the view
  shell::RecentFileList recent_;
  int previewPages_ = 0;
  QString helpFile_;
  bool unregistered_ = false;
  int exitCode_ = 0;
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_TARVEX_QT_H_
