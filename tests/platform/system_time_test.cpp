#include <gtest/gtest.h>

#include <chrono>
#include <tuple>

#include "platform/system_time.h"

namespace tarvex {
namespace {

auto Fields(const SystemTime& t) {
  return std::make_tuple(t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second);
}

// The system's own clock (GetSystemTime on Windows) reads UTC with the
// fields the time-stamp line expects: month from 1, Sunday as 0.
TEST(SystemTime, CurrentUtcTimeIsTheCalendarOfNow) {
  using namespace std::chrono;
  for (int attempt = 0; attempt < 5; ++attempt) {
    const long long before = floor<seconds>(system_clock::now()).time_since_epoch().count();
    const SystemTime now = CurrentUtcTime();
    const long long after = floor<seconds>(system_clock::now()).time_since_epoch().count();
    if (before != after) continue;  // a second ended in between; read again
    EXPECT_EQ(Fields(now), Fields(UtcTimeFromUnixSeconds(before)));
    return;
  }
  FAIL() << "the clock never held still for one reading";
}

}  // namespace
}  // namespace tarvex
