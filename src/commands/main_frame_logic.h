// The main frame's own logic: everything the frame does for Generate, for
// opening and dropping policy files, for the checker's fault report and for
// the keyword browser, free of any toolkit.
//
// The desktop editor's CMainFrame derives from this class, and so does the
// command-line compiler's frame. It reaches the window system only through
// the WindowSystem it is given, which must outlive it. Each member is
// defined with its subsystem: the checker's in checker/, the policy files'
// in policyfile/, the keyword browser's in keywords/, the commands' here.
#ifndef TARVEX_COMMANDS_MAIN_FRAME_LOGIC_H_
#define TARVEX_COMMANDS_MAIN_FRAME_LOGIC_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "checker/select_kind.h"
#include "keywords/keyword_table.h"
#include "platform/file_text.h"
#include "platform/message_format.h"
#include "platform/system_time.h"

namespace tarvex {

class ReplacementFile;
class WindowSystem;
struct PolicyBodyOutcome;

class MainFrameLogic {
 public:
  explicit MainFrameLogic(WindowSystem& ws);
  virtual ~MainFrameLogic() = default;
  MainFrameLogic(const MainFrameLogic&) = delete;
  MainFrameLogic& operator=(const MainFrameLogic&) = delete;

  // The paths and flags of the current compile or conversion. They keep
  // their values after a command; each command sets those it uses.
  std::string m_sourcePath;   // the source checked and enciphered, or written by a conversion
  std::string m_binaryPath;   // the policy binary written, or read by a conversion
  bool m_binaryMode = false;  // OpenPolicyFile took its file as a policy binary file
  bool m_fromDrop = false;    // a conversion comes from a drop: it stays silent and opens nothing

  // --- Generate (commands/generate_command.cpp) ---
  // Action, Generate on the active document: saves it if modified, then
  // compiles a .inf into policy.bin beside it or converts a .bin into the
  // .inf of its base name. Returns true when a file was written.
  bool OnGenerate();
  // Generate for a saved document at `path`, from the extension test on.
  bool GenerateFromPath(const std::string& path);
  // Checks m_sourcePath and writes m_binaryPath from one read of the source.
  bool GenerateFromSource();

  // --- Opening and dropping (commands/open_commands.cpp) ---
  void OnOpenPolicy();
  void OnFilesDropped(const std::vector<std::string>& paths);
  // Opens a .inf, or converts a .bin into Untitled.inf beside it and opens
  // that; refuses other extensions. True when a document was opened.
  bool OpenPolicyFile(const std::string& path);
  // Probes `binaryPath` and converts it into `sourcePath`; the part of
  // OpenPolicyFile that the command-line compiler's "convert -o" shares.
  bool ConvertPolicyBinaryTo(const std::string& binaryPath, const std::string& sourcePath);

  // --- The checker (checker/source_scanner.cpp, checker/error_location.cpp) ---
  // Checks the file at m_sourcePath; at the first fault selects its text and
  // shows one message. True when the file is sound and not blank.
  bool CheckSource();
  // CheckSource of `source`, the bytes of the file at m_sourcePath already
  // read (Generate reads them once for both passes). `beforeReport`, when
  // given, runs once a fault or a blank source is found, before anything
  // is shown.
  bool CheckSourceText(std::string_view source, const std::function<void()>& beforeReport = {});
  // Selects the text of a fault on `line` in the text view and scrolls it
  // into sight. Virtual so that a frame without a view (the command-line
  // compiler) can report the location its own way.
  virtual void LocateError(const std::string& text, int line, SelectKind kind);

  // --- Policy binary files (policyfile/) ---
  // Enciphers m_sourcePath into m_binaryPath, replacing it only when the
  // whole file has been written. Shows its success or failure message.
  bool WritePolicyBinary();
  // WritePolicyBinary of `source`, the bytes of the file at m_sourcePath
  // already read.
  bool WritePolicyBinaryFrom(std::string_view source);
  // Deciphers m_binaryPath into m_sourcePath (replaced only when complete);
  // with m_fromDrop clear also opens the result and reports success.
  bool ConvertPolicyBinary();

  // ConvertPolicyBinary of m_binaryPath into `sourcePath` (which becomes
  // m_sourcePath) when the file is a policy binary file, recognised on the
  // same pass; shows 5460 and writes nothing when it is not.
  bool RecogniseAndConvert(const std::string& sourcePath);

  // --- The keyword browser (keywords/keyword_browser.cpp) ---
  // Loads keyword.txt into the process-wide table and lists every name in
  // the keyword box; false when the file cannot be read (the frame's
  // creation then fails).
  bool FillKeywordBox();
  // Shows the chosen keyword's type and bounds and puts its name on the clipboard.
  void OnKeywordSelChange();

  // --- Set-up ---
  // The dictionary the checker uses; the process-wide table unless set.
  void SetKeywordTable(const KeywordTable* table) { table_ = table; }
  const KeywordTable& keywordTable() const { return *table_; }
  // The clock of the time-stamp line; the system's UTC clock unless set.
  void SetClock(UtcClock clock) { clock_ = std::move(clock); }
  // How the checker and Generate read a source: as ReadRegularFile does
  // (true with the bytes, false when unreadable). ReadRegularFile unless set.
  using SourceReader = std::function<bool(const std::string& path, FileText* text)>;
  void SetSourceReader(SourceReader reader) { readSource_ = std::move(reader); }

 protected:
  // Shows a message built from string `id` in the frame's message box.
  void ShowFrameMessage(int id, std::initializer_list<MessageArg> args = {});

  WindowSystem& ws_;

 private:
  // Commits or abandons a written policy binary file and shows the outcome.
  bool FinishPolicyBinary(ReplacementFile& output, const PolicyBodyOutcome& body);
  // Generate of a large source: the check and the writer run side by side,
  // and the written file stays unseen until the check has passed.
  bool CheckAndWriteSideBySide(std::string_view source);

  const KeywordTable* table_;
  UtcClock clock_;
  SourceReader readSource_;
};

}  // namespace tarvex

#endif  // TARVEX_COMMANDS_MAIN_FRAME_LOGIC_H_
