// CTarvexDoc: the document, which is nothing but the text of one file held
// by the view. It knows its path and name, reads a file into the view and
// writes the view's text back, byte for byte.
#ifndef TARVEX_QT_TARVEX_DOC_H_
#define TARVEX_QT_TARVEX_DOC_H_

#include <QObject>
#include <QString>

#include "shell/document_rules.h"
#include "shell/open_document.h"

class QWidget;

namespace tarvex::qt {

class CTarvexView;
class Dialogs;

class CTarvexDoc : public QObject {
  Q_OBJECT

 public:
  // Files this large or larger are refused (61701).
  static constexpr qint64 kMaxFileSize = shell::kMaxFileSize;

  // Read, not opened (the document is as it was), or refused (it opened
  // but could not be taken over; the document is as it was).
  using ReadResult = shell::DocumentHost::ReadResult;

  // Messages and prompts are owned by `window`.
  CTarvexDoc(CTarvexView& view, Dialogs& dialogs, QWidget* window);

  // The file's absolute path; empty for a new document.
  const QString& path() const { return path_; }
  // The file's name, or "Untitled".
  QString title() const;
  bool IsModified() const;

  // New: no path, an empty text, not modified.
  void OnNewDocument();

  // Reads `path` (absolute) into the view. Failures are shown to the user.
  ReadResult ReadFile(const QString& path);

  // Save: to the document's file, or through Save As when there is none or
  // it is read-only or gone. Save As: asks for a name first. True when
  // saved; a failure has been shown and leaves path, modified flag and any
  // old file as they were.
  bool OnFileSave();
  bool OnFileSaveAs();
  // Save Copy As (an object from a container): writes the text to a file
  // the user names; the document keeps its name and modified state.
  bool OnFileSaveCopyAs();

  // The title of an object opened from a container ("Tarvex in <name>"),
  // shown in place of the file's name; empty for none.
  void SetEmbeddedTitle(const QString& title);

  // Asks "Save changes to %1?" when the text is modified. True to go on
  // (saved, or not to be saved); false when cancelled or the save failed.
  bool SaveModified();

  // The name Save As proposes: the path, or the name cut before its first
  // blank, "#", "%", ";", "/" or "\" with ".inf" added.
  QString ProposedSaveName() const;

 signals:
  // The path or the name changed.
  void titleChanged();
  // The document was saved under a name the user chose.
  void savedAs(const QString& path);

 private:
  // `copy`: the document keeps its path and modified state.
  bool WriteFile(const QString& path, bool copy = false);
  void ShowFileError(const std::string& text);
  void SetPath(const QString& path);

  CTarvexView& view_;
  Dialogs& dialogs_;
  QWidget* window_;
  QString path_;
  QString embeddedTitle_;
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_TARVEX_DOC_H_
