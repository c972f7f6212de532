#include "win32/tarvex_doc.h"

#include <cerrno>
#include <vector>

#include "platform/file_ops.h"
#include "platform/message_format.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "shell/document_rules.h"
#include "shell/file_errors.h"
#include "shell/frame_tables.h"
#include "win32/text_view.h"
#include "win32/win32_strings.h"

namespace tarvex::win32 {
namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

shell::PathFacts FactsOf(const std::string& path) {
  shell::PathFacts facts;
  const DWORD file = GetFileAttributesA(path.c_str());
  facts.exists = file != INVALID_FILE_ATTRIBUTES;
  facts.isFolder = facts.exists && (file & FILE_ATTRIBUTE_DIRECTORY);
  if (facts.exists && !facts.isFolder) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    facts.readable = h != INVALID_HANDLE_VALUE;
    if (facts.readable) CloseHandle(h);
  }
  facts.writable = facts.exists && !(file & FILE_ATTRIBUTE_READONLY);
  const DWORD folder = GetFileAttributesA(FolderOf(path).c_str());
  facts.folderExists = folder != INVALID_FILE_ATTRIBUTES && (folder & FILE_ATTRIBUTE_DIRECTORY);
  facts.folderWritable = facts.folderExists && !(folder & FILE_ATTRIBUTE_READONLY);
  return facts;
}

// The save dialog's filters: the document type's, then All Files.
std::vector<char> DocumentFilter() {
  return DialogFilter({{shell::DocumentStringField(3), "*" + shell::DocumentStringField(4)},
                       {std::string(LoadStringText(IDS_ALL_FILES_FILTER)), "*.*"}});
}

}  // namespace

std::string CTarvexDoc::title() const {
  if (!embeddedTitle_.empty()) return embeddedTitle_;
  const std::size_t slash = path_.find_last_of("\\/");
  return shell::DocumentTitle(slash == std::string::npos ? path_ : path_.substr(slash + 1));
}

bool CTarvexDoc::IsModified() const {
  return view_.IsModified();
}

void CTarvexDoc::SetPath(const std::string& path) {
  path_ = path;
  if (titleChanged_) titleChanged_();
}

void CTarvexDoc::SetEmbeddedTitle(const std::string& title) {
  embeddedTitle_ = title;
  if (titleChanged_) titleChanged_();
}

void CTarvexDoc::OnNewDocument() {
  view_.SetBytes({});
  SetPath({});
}

void CTarvexDoc::ShowFileError(const std::string& text) const {
  MessageBoxA(window_, text.c_str(), std::string(LoadStringText(IDS_APP_TITLE)).c_str(),
              MB_OK | MB_ICONEXCLAMATION);
}

CTarvexDoc::ReadResult CTarvexDoc::ReadFile(const std::string& path) {
  // Others may read the file meanwhile, not write it. A folder cannot be read.
  const DWORD attributes = GetFileAttributesA(path.c_str());
  HANDLE file = (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
                    ? INVALID_HANDLE_VALUE
                    : CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    ShowFileError(shell::ReadOpenFailure(path, FactsOf(path)).text);
    return ReadResult::kNotOpened;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size) || GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    ShowFileError(shell::ShortRead(path).text);
    return ReadResult::kRefused;
  }
  if (size.QuadPart >= static_cast<LONGLONG>(shell::kMaxFileSize)) {
    CloseHandle(file);
    ShowFileError(FormatMessage(IDP_FILE_TOO_LARGE));
    return ReadResult::kRefused;
  }
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  const bool whole =
      bytes.empty() ||
      (::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
       read == bytes.size());
  CloseHandle(file);
  if (!whole) {
    ShowFileError(shell::ShortRead(path).text);
    return ReadResult::kRefused;
  }
  view_.SetBytes(bytes);
  SetPath(path);
  return ReadResult::kRead;
}

bool CTarvexDoc::WriteFile(const std::string& path, bool copy) {
  const std::string bytes = view_.Bytes();
  // The old file stays in place until the whole text has been written.
  ReplacementFile file;
  if (!file.Open(path)) {
    ShowFileError(shell::WriteOpenFailure(path, FactsOf(path)).text);
    return false;
  }
  errno = 0;
  if (!file.Write(bytes) || !file.Commit()) {
    const bool noRoom = errno == ENOSPC || errno == EFBIG;
    file.Abandon();
    ShowFileError(shell::WriteFailure(path, noRoom).text);
    return false;
  }
  if (copy) return true;
  view_.SetModified(false);
  char full[MAX_PATH];
  const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  SetPath(n > 0 && n < MAX_PATH ? std::string(full, n) : path);
  return true;
}

std::string CTarvexDoc::AskSaveName(int titleId) const {
  const std::vector<char> filter = DocumentFilter();
  char name[MAX_PATH] = {};
  const std::string proposed = shell::ProposedSaveName(path_, title());
  if (proposed.size() < MAX_PATH) proposed.copy(name, proposed.size());
  const std::string title(LoadStringText(titleId));
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = window_;
  ofn.lpstrFilter = filter.data();
  ofn.lpstrFile = name;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrTitle = title.c_str();
  ofn.lpstrDefExt = "inf";
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameA(&ofn)) return {};
  return name;
}

bool CTarvexDoc::OnFileSave() {
  const DWORD attributes =
      path_.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path_.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY)) {
    return OnFileSaveAs();
  }
  return WriteFile(path_, false);
}

bool CTarvexDoc::OnFileSaveAs() {
  const std::string name = AskSaveName(IDS_SAVE_AS_TITLE);
  if (name.empty() || !WriteFile(name, false)) return false;
  if (savedAs_) savedAs_(path_);
  return true;
}

bool CTarvexDoc::OnFileSaveCopyAs() {
  const std::string name = AskSaveName(IDS_SAVE_COPY_AS_TITLE);
  return !name.empty() && WriteFile(name, true);
}

bool CTarvexDoc::SaveModified() {
  if (!IsModified()) return true;
  const std::string question = FormatMessage(IDP_ASK_TO_SAVE, {title()});
  switch (MessageBoxA(window_, question.c_str(), std::string(LoadStringText(IDS_APP_TITLE)).c_str(),
                      MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDYES:
      return OnFileSave();
    case IDNO:
      return true;
    default:
      return false;
  }
}

}  // namespace tarvex::win32
