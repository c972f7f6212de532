// Action, Generate.
#include "commands/main_frame_logic.h"
#include "commands/path_rules.h"
#include "platform/regular_file.h"
#include "platform/resource_ids.h"
#include "platform/window_system.h"
#include "policyfile/policy_format.h"
#include "policyfile/policy_reader.h"

namespace tarvex {

bool MainFrameLogic::OnGenerate() {
  m_fromDrop = false;
  if (ws_.DocumentModified()) ws_.SendFrameCommand(ID_FILE_SAVE);
  if (ws_.DocumentModified()) {
    ShowFrameMessage(IDS_UNABLE_TO_GENERATE);
    return false;
  }
  const std::string path = ws_.DocumentPath();
  if (path.empty()) {
    ShowFrameMessage(IDS_NO_KEYWORDS);
    return false;
  }
  return GenerateFromPath(path);
}

bool MainFrameLogic::GenerateFromPath(const std::string& path) {
  switch (ClassifyExtension(path)) {
    case PolicyFileType::kOther:
      ShowFrameMessage(IDS_INCORRECT_EXTENSION);
      return false;
    case PolicyFileType::kSource:
      m_sourcePath = path;
      m_binaryPath = SiblingPath(path, kPolicyBinaryBaseName, kPolicyBinaryExtension);
      return GenerateFromSource();
    case PolicyFileType::kBinary:
      m_binaryPath = path;
      return RecogniseAndConvert(SiblingPath(path, SplitPath(path).baseName, kSourceExtension));
  }
  return false;
}

bool MainFrameLogic::GenerateFromSource() {
  // One read serves both passes: the check and the writer see the same
  // bytes, and a large source is not read twice.
  std::string source;
  if (!ReadRegularFile(m_sourcePath, &source)) {
    ShowFrameMessage(IDS_ERROR_READING_FILE, {m_sourcePath});
    return false;
  }
  return CheckSourceText(source) && WritePolicyBinaryFrom(source);
}

}  // namespace tarvex
