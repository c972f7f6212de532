// The system clock as the policy writer reads it: UTC, to the second.
#ifndef TARVEX_PLATFORM_SYSTEM_TIME_H_
#define TARVEX_PLATFORM_SYSTEM_TIME_H_

#include <functional>

namespace tarvex {

struct SystemTime {
  int year = 1970;
  int month = 1;      // 1 to 12
  int dayOfWeek = 4;  // 0 for Sunday to 6 for Saturday
  int day = 1;        // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// A source of the current time; tests give a fixed one.
using UtcClock = std::function<SystemTime()>;

// The current Coordinated Universal Time.
SystemTime CurrentUtcTime();

// The UTC calendar time of `secondsSinceEpoch` (Unix time, which may be negative).
SystemTime UtcTimeFromUnixSeconds(long long secondsSinceEpoch);

}  // namespace tarvex

#endif  // TARVEX_PLATFORM_SYSTEM_TIME_H_
