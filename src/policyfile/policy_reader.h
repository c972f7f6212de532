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

// The deciphered source of the file at `path`: every whole line without
// "TimeStamp = ", each cut at its first zero byte. False when the file
// cannot be opened.
bool DecipherPolicySource(const std::string& path, std::string* source);

}  // namespace tarvex

#endif  // TARVEX_POLICYFILE_POLICY_READER_H_
