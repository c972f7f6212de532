// Action, Generate.
#include <atomic>

#include "commands/main_frame_logic.h"
#include "commands/path_rules.h"
#include "platform/file_ops.h"
#include "platform/regular_file.h"
#include "platform/resource_ids.h"
#include "platform/side_thread.h"
#include "platform/window_system.h"
#include "policyfile/policy_body.h"
#include "policyfile/policy_format.h"
#include "policyfile/policy_reader.h"

namespace tarvex {
namespace {

// From this size on, Generate checks and enciphers side by side: below it a
// second thread costs about what it saves.
constexpr std::size_t kSideBySideBytes = 512 * 1024;

}  // namespace

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
  FileText text;
  if (!readSource_(m_sourcePath, &text)) {
    ShowFrameMessage(IDS_ERROR_READING_FILE, {m_sourcePath});
    return false;
  }
  const std::string_view source = text.view();
  if (source.size() >= kSideBySideBytes) return CheckAndWriteSideBySide(source);
  return CheckSourceText(source) && WritePolicyBinaryFrom(source);
}

bool MainFrameLogic::CheckAndWriteSideBySide(std::string_view source) {
  const SystemTime started = clock_();
  ReplacementFile output;
  const bool opened = output.Open(m_binaryPath);
  std::atomic<bool> stop{false};
  PolicyBodyOutcome body;
  SideThread writer;
  if (opened && !writer.Start([&] {
        try {
          body = WritePolicyBody(source, started, output, &stop);
        } catch (...) {
          body.result = PolicyBodyOutcome::Result::kWriteFailed;
        }
      })) {
    // No second thread to be had: one pass after the other, as for a small source.
    output.Abandon();
    return CheckSourceText(source) && WritePolicyBinaryFrom(source);
  }
  // However the check ends, the writer never outlives this call.
  struct StopOnExit {
    std::atomic<bool>& stop;
    SideThread& writer;
    ~StopOnExit() {
      stop = true;
      writer.Join();
    }
  } stopOnExit{stop, writer};
  auto finishWriter = [&] {
    stop = true;
    writer.Join();
    output.Abandon();
  };
  // A faulty source leaves no trace: the writer is stopped and its file
  // removed before the fault is shown.
  if (!CheckSourceText(source, finishWriter)) return false;
  writer.Join();
  if (!opened) {
    ShowFrameMessage(IDS_ERROR_WRITING_FILE, {m_binaryPath});
    return false;
  }
  return FinishPolicyBinary(output, body);
}

}  // namespace tarvex
