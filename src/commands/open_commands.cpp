// File, Open and files dropped on the main window.
#include "commands/open_commands.h"

#include "commands/main_frame_logic.h"
#include "commands/path_rules.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "platform/window_system.h"
#include "policyfile/policy_format.h"
#include "policyfile/policy_reader.h"

namespace tarvex {

void ForwardOpenCommand(WindowSystem& ws) {
  ws.SendActiveWindowCommand(ID_OPEN_POLICY);
}

std::string WrongExtensionForOpeningText() {
  return std::string(LoadStringText(IDS_INCORRECT_EXTENSION)) +
         std::string(LoadStringText(IDS_UNABLE_TO_GENERATE));
}

void MainFrameLogic::OnOpenPolicy() {
  const std::vector<FileFilter> filters = {
      {"Tarvex Files (*.inf)", "*.inf"},
      {std::string(LoadStringText(IDS_ALL_FILES_FILTER)), "*.*"},
  };
  const std::optional<std::string> path =
      ws_.PromptOpenFile(std::string(LoadStringText(IDS_OPEN_FILE_TITLE)), filters);
  if (!path) return;
  OpenPolicyFile(*path);
}

void MainFrameLogic::OnFilesDropped(const std::vector<std::string>& paths) {
  m_fromDrop = true;
  if (paths.empty() || paths[0].empty() || paths[0].size() > kMaxDroppedPathLength) return;
  if (OpenPolicyFile(paths[0]) && !m_binaryMode) ws_.StandardDropHandling(paths);
}

bool MainFrameLogic::OpenPolicyFile(const std::string& path) {
  switch (ClassifyExtension(path)) {
    case PolicyFileType::kOther:
      ws_.FrameMessageBox(IDS_INCORRECT_EXTENSION, WrongExtensionForOpeningText());
      m_binaryMode = false;
      return false;
    case PolicyFileType::kSource:
      m_binaryMode = false;
      m_sourcePath = path;
      ws_.OpenDocument(path);
      return true;
    case PolicyFileType::kBinary:
      m_binaryMode = true;
      if (!ConvertPolicyBinaryTo(path,
                                 SiblingPath(path, kConvertedSourceBaseName, kSourceExtension))) {
        return false;
      }
      ws_.OpenDocument(m_sourcePath);
      return true;
  }
  return false;
}

bool MainFrameLogic::ConvertPolicyBinaryTo(const std::string& binaryPath,
                                           const std::string& sourcePath) {
  m_binaryPath = binaryPath;
  return RecogniseAndConvert(sourcePath);
}

}  // namespace tarvex
