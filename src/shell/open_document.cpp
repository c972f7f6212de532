#include "shell/open_document.h"

#include "shell/document_rules.h"

namespace tarvex::shell {

bool OpenDocumentSteps(DocumentHost& host, const std::string& given, bool activate) {
  const std::string path = host.ResolvePath(UnquotePath(given));
  if (host.HasFrame() && host.IsOpenDocument(path)) {
    if (activate) host.ActivateFrame();
    return true;  // not read again
  }
  const bool first = !host.HasFrame();
  if (first && !host.CreateFrame()) return false;
  if (!host.SaveModified()) return false;
  if (host.ReadDocument(path) != DocumentHost::ReadResult::kRead) {
    if (first) host.DestroyFrame();
    return false;
  }
  host.AddToRecentFiles(path);
  if (activate) host.ActivateFrame();
  return true;
}

bool OpenRecentFile(DocumentHost& host, RecentFileList& recent, int index) {
  if (index < 0 || index >= static_cast<int>(recent.paths().size())) return false;
  const std::string path = recent.paths()[static_cast<std::size_t>(index)];
  if (OpenDocumentSteps(host, path, true)) return false;
  recent.Remove(recent.IndexOf(path));
  return true;
}

void LoadProfileSettings(SettingsStore& store, RecentFileList& recent, int& previewPages) {
  recent.Load(store);
  previewPages = store.ReadInt(kSettingsSection, kPreviewPagesEntry).value_or(0);
}

void SaveProfileSettings(SettingsStore& store, const RecentFileList& recent, int previewPages) {
  recent.Save(store);
  if (previewPages != 0) store.WriteInt(kSettingsSection, kPreviewPagesEntry, previewPages);
}

}  // namespace tarvex::shell
