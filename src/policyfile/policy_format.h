// The policy binary file (policy.bin), described once for writer and reader.
//
// The file has no header, magic number, length or checksum: it is a plain
// text enciphered as one stream with one fresh LineCipher, so it is exactly
// as long as that text. The text is
//   1. one line per line piece of the source, in order, each ending in
//      CR LF (a piece without CR LF gets one appended), leaving out every
//      piece that contains "TimeStamp = "; the PeerLinkKey line carries the
//      key file's bytes in uppercase hexadecimal after its first "=";
//   2. the time-stamp line: "TimeStamp = ", 15 digits of the writer's start
//      in UTC (year 4, month 2, day of week 1 with 0 for Sunday, day 2,
//      hour 2, minute 2, second 2), CR LF.
// A reader recognises a policy binary file by a deciphered line that
// contains "TimeStamp = ".
#ifndef TARVEX_POLICYFILE_POLICY_FORMAT_H_
#define TARVEX_POLICYFILE_POLICY_FORMAT_H_

#include <cstddef>

namespace tarvex {

inline constexpr const char* kTimeStampMarker = "TimeStamp = ";
inline constexpr const char* kKeyFileKeyword = "PeerLinkKey";
inline constexpr const char* kLineEnd = "\r\n";

// A key file holds 1 to this many bytes.
inline constexpr std::size_t kMaxKeyFileSize = 1023;
// The rewritten PeerLinkKey line, before its CR LF, is at most this long.
inline constexpr std::size_t kMaxKeyLineLength = 1024;

inline constexpr const char* kPolicyBinaryBaseName = "policy";
inline constexpr const char* kPolicyBinaryExtension = "bin";
inline constexpr const char* kConvertedSourceBaseName = "Untitled";
inline constexpr const char* kSourceExtension = "inf";

}  // namespace tarvex

#endif  // TARVEX_POLICYFILE_POLICY_FORMAT_H_
