// The open-document operation both editors run for every way of opening a
// file (command line, recent files, Open, drops), and the settings they
// keep, over what each shell lends through DocumentHost.
#ifndef TARVEX_SHELL_OPEN_DOCUMENT_H_
#define TARVEX_SHELL_OPEN_DOCUMENT_H_

#include <string>

#include "shell/recent_file_list.h"
#include "shell/settings_store.h"

namespace tarvex::shell {

class DocumentHost {
 public:
  enum class ReadResult {
    kRead,       // the file is the document now
    kNotOpened,  // it could not be opened; the document is as it was
    kRefused,    // it opened but could not be taken over; the document is as it was
  };

  virtual ~DocumentHost() = default;
  // The unquoted path made absolute, a link or shortcut followed.
  virtual std::string ResolvePath(const std::string& path) = 0;
  // Whether `path` is the open document's file.
  virtual bool IsOpenDocument(const std::string& path) = 0;
  // The frame with its view and document; creating it loads keyword.txt.
  virtual bool HasFrame() = 0;
  virtual bool CreateFrame() = 0;
  virtual void DestroyFrame() = 0;
  // Asks to save unsaved changes; false when the user cancelled.
  virtual bool SaveModified() = 0;
  // Reads the file into the document, showing why when it cannot.
  virtual ReadResult ReadDocument(const std::string& path) = 0;
  virtual void AddToRecentFiles(const std::string& path) = 0;
  // Shows the main window and brings it to the front.
  virtual void ActivateFrame() = 0;
};

// Makes the file `given` the single document: unquoted and resolved; the
// open document's own path only brings the frame up; otherwise unsaved
// changes are asked about and the file is read. A first document that
// cannot be read takes its frame with it. True when the file is the
// document; `activate` brings the main window up afterwards.
bool OpenDocumentSteps(DocumentHost& host, const std::string& given, bool activate);

// Opens entry `index` of `recent`; an entry that cannot be opened leaves
// the list. True when the list changed.
bool OpenRecentFile(DocumentHost& host, RecentFileList& recent, int index);

// The recent-file list and the print preview's page count, as the settings
// keep them ("PreviewPages" only once it is not 0).
void LoadProfileSettings(SettingsStore& store, RecentFileList& recent, int& previewPages);
void SaveProfileSettings(SettingsStore& store, const RecentFileList& recent, int previewPages);

}  // namespace tarvex::shell

#endif  // TARVEX_SHELL_OPEN_DOCUMENT_H_
