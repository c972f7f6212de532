// The closing line of every policy binary file.
#ifndef TARVEX_POLICYFILE_TIME_STAMP_H_
#define TARVEX_POLICYFILE_TIME_STAMP_H_

#include <string>

#include "platform/system_time.h"

namespace tarvex {

// "TimeStamp = " then year (4 digits), month (2), day of week (1), day (2),
// hour (2), minute (2), second (2), then CR LF.
std::string TimeStampLine(const SystemTime& utc);

}  // namespace tarvex

#endif  // TARVEX_POLICYFILE_TIME_STAMP_H_
