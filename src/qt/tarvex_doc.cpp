#include "qt/tarvex_doc.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/message_format.h"
#include "platform/resource_ids.h"
#include "qt/dialogs.h"
#include "qt/file_errors.h"
#include "qt/resources/frame_resources.h"
#include "qt/tarvex_view.h"
#include "qt/text_codec.h"
#include "shell/document_rules.h"

namespace tarvex::qt {

CTarvexDoc::CTarvexDoc(CTarvexView& view, Dialogs& dialogs, QWidget* window)
    : view_(view), dialogs_(dialogs), window_(window) {}

QString CTarvexDoc::title() const {
  if (!embeddedTitle_.isEmpty()) return embeddedTitle_;
  const QString name = path_.isEmpty() ? QString() : QFileInfo(path_).fileName();
  return FromPath(shell::DocumentTitle(ToPath(name)));
}

bool CTarvexDoc::IsModified() const {
  return view_.IsModified();
}

void CTarvexDoc::SetPath(const QString& path) {
  path_ = path;
  emit titleChanged();
}

void CTarvexDoc::OnNewDocument() {
  view_.SetBytes({});
  SetPath(QString());
}

void CTarvexDoc::ShowFileError(const std::string& text) {
  dialogs_.Message(window_, FromMessage(text), Dialogs::Icon::kWarning);
}

CTarvexDoc::ReadResult CTarvexDoc::ReadFile(const QString& path) {
  const QFileInfo info(path);
  QFile file(path);
  // Only regular files: a folder cannot be read, and a pipe or a device
  // would block or never end.
  if ((info.exists() && !info.isFile()) || !file.open(QIODevice::ReadOnly)) {
    ShowFileError(ReadOpenFailure(path).text);
    return ReadResult::kNotOpened;
  }
  const qint64 size = file.size();
  if (size >= kMaxFileSize) {
    ShowFileError(FormatMessage(IDP_FILE_TOO_LARGE));
    return ReadResult::kRefused;
  }
  const QByteArray bytes = file.read(size);
  if (bytes.size() != size) {
    ShowFileError(ShortRead(path).text);
    return ReadResult::kRefused;
  }
  file.close();
  view_.SetBytes(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  SetPath(path);
  return ReadResult::kRead;
}

void CTarvexDoc::SetEmbeddedTitle(const QString& title) {
  embeddedTitle_ = title;
  emit titleChanged();
}

bool CTarvexDoc::WriteFile(const QString& path, bool copy) {
  const std::string bytes = view_.Bytes();
  // The old file stays in place until the whole text has been written.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    ShowFileError(WriteOpenFailure(path).text);
    return false;
  }
  const auto size = static_cast<qint64>(bytes.size());
  // Flushed and checked here: commit() does not notice a write that the
  // system cut short (a full disk or a file-size limit) while flushing.
  if (file.write(bytes.data(), size) != size || !file.flush()) {
    const QFileDevice::FileError error = file.error();
    file.cancelWriting();
    ShowFileError(
        WriteFailure(path, error == QFileDevice::NoError ? QFileDevice::WriteError : error).text);
    return false;
  }
  if (!file.commit()) {
    ShowFileError(WriteFailure(path, file.error()).text);
    return false;
  }
  if (copy) return true;
  view_.MarkSaved();
  SetPath(QFileInfo(path).absoluteFilePath());
  return true;
}

QString CTarvexDoc::ProposedSaveName() const {
  return FromPath(shell::ProposedSaveName(ToPath(path_), ToPath(title())));
}

bool CTarvexDoc::OnFileSave() {
  const QFileInfo info(path_);
  if (path_.isEmpty() || !info.exists() || !info.isWritable()) return OnFileSaveAs();
  return WriteFile(path_);
}

bool CTarvexDoc::OnFileSaveAs() {
  const QStringList filters = {resources::DocumentStringField(3), LoadText(IDS_ALL_FILES_FILTER)};
  const QString name =
      dialogs_.SaveFileName(window_, LoadText(IDS_SAVE_AS_TITLE), filters, ProposedSaveName());
  if (name.isEmpty()) return false;
  if (!WriteFile(name)) return false;
  emit savedAs(path_);
  return true;
}

bool CTarvexDoc::OnFileSaveCopyAs() {
  const QStringList filters = {resources::DocumentStringField(3), LoadText(IDS_ALL_FILES_FILTER)};
  const QString name =
      dialogs_.SaveFileName(window_, LoadText(IDS_SAVE_COPY_AS_TITLE), filters, ProposedSaveName());
  return !name.isEmpty() && WriteFile(name, true);
}

bool CTarvexDoc::SaveModified() {
  if (!IsModified()) return true;
  const std::string question = FormatMessage(IDP_ASK_TO_SAVE, {ToPath(title())});
  switch (dialogs_.AskToSave(window_, FromMessage(question))) {
    case Dialogs::Answer::kYes:
      return OnFileSave();
    case Dialogs::Answer::kNo:
      return true;
    case Dialogs::Answer::kCancel:
      break;
  }
  return false;
}

}  // namespace tarvex::qt
