// The enciphered content of a policy binary file, written from a checked
// source without a word to the user: the caller reports the outcome and
// decides whether the file is kept.
#ifndef TARVEX_POLICYFILE_POLICY_BODY_H_
#define TARVEX_POLICYFILE_POLICY_BODY_H_

#include <atomic>
#include <string>
#include <string_view>

#include "platform/byte_sink.h"
#include "policyfile/time_stamp.h"

namespace tarvex {

struct PolicyBodyOutcome {
  enum class Result {
    kWritten,        // every byte reached the sink
    kWriteFailed,    // a write to the sink failed
    kKeyFileUnread,  // a key file named in the source could not be read
    kStopped,        // `stop` was set before the end
  };
  Result result = Result::kWritten;
  std::string keyFile;  // with kKeyFileUnread: the name as the source gives it
};

// Writes the lines of `source` to `out` enciphered, each key-file line with
// the key file's bytes in place of its name, and the time-stamp line of
// `started` at the end. Stops at the first unreadable key file, and soon
// after `stop` (when given) becomes true. Safe to run on its own thread:
// it touches nothing but its arguments and the key files.
PolicyBodyOutcome WritePolicyBody(std::string_view source, const SystemTime& started, ByteSink& out,
                                  const std::atomic<bool>* stop = nullptr);

}  // namespace tarvex

#endif  // TARVEX_POLICYFILE_POLICY_BODY_H_
