// Reading policy binary files back: recognising them, and converting them
// into an editable policy source.
#ifndef TARVEX_POLICYFILE_POLICY_READER_H_
#define TARVEX_POLICYFILE_POLICY_READER_H_

#include <string>
#include <string_view>

namespace tarvex {

// Whether some deciphered line of the file at `path` contains `text`. A
// last fragment without a line feed is not examined. False, without a
// message, when the file cannot be opened. An empty path reads
// "Policy.bin" in the current working directory.
bool ProbePolicyBinary(const std::string& path, std::string_view text);

// How a conversion of a policy binary file into a source ended.
enum class ConvertOutcome {
  kConverted,      // the source was written and put in place
  kUnreadable,     // the policy binary file cannot be opened
  kNotRecognised,  // no deciphered line holds "TimeStamp = " (only when it is required)
  kWriteFailed,    // the source could not be written; the earlier one stays
};

// Deciphers the file at `binaryPath` and writes its source (every whole
// line without "TimeStamp = ", each cut at its first zero byte) to
// `sourcePath`, in one pass and in blocks, so that memory does not grow
// with the file (only with its longest line, which is held until it is
// known not to hold the marker). The new source replaces the earlier one only when it is
// complete; with `requireMarker` also only when some line held the marker,
// and a file without one leaves no trace.
ConvertOutcome ConvertPolicyStream(const std::string& binaryPath, const std::string& sourcePath,
                                   bool requireMarker);

}  // namespace tarvex

#endif  // TARVEX_POLICYFILE_POLICY_READER_H_
