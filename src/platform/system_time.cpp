#include "platform/system_time.h"

#include <chrono>

#include "platform/windows_api.h"

namespace tarvex {

SystemTime UtcTimeFromUnixSeconds(long long secondsSinceEpoch) {
  using namespace std::chrono;
  const sys_seconds t{seconds{secondsSinceEpoch}};
  const sys_days day = floor<days>(t);
  const year_month_day ymd{day};
  const hh_mm_ss<seconds> hms{t - day};
  SystemTime st;
  st.year = static_cast<int>(ymd.year());
  st.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
  st.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
  st.dayOfWeek = static_cast<int>(weekday{day}.c_encoding());
  st.hour = static_cast<int>(hms.hours().count());
  st.minute = static_cast<int>(hms.minutes().count());
  st.second = static_cast<int>(hms.seconds().count());
  return st;
}

SystemTime CurrentUtcTime() {
#ifdef _WIN32
  SYSTEMTIME t;
  GetSystemTime(&t);
  return {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond};
#else
  using namespace std::chrono;
  const auto now = floor<seconds>(system_clock::now());
  return UtcTimeFromUnixSeconds(now.time_since_epoch().count());
#endif
}

}  // namespace tarvex
