#include "policyfile/time_stamp.h"

#include <cstdio>

#include "policyfile/policy_format.h"

namespace tarvex {

std::string TimeStampLine(const SystemTime& t) {
  char buffer[260];
  std::snprintf(buffer, sizeof buffer, "%s%04d%02d%d%02d%02d%02d%02d\r\n", kTimeStampMarker, t.year,
                t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second);
  return buffer;
}

}  // namespace tarvex
