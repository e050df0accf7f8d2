// Calendar time as the PC's local clock gives it, and whole-second arithmetic on it.
#pragma once

#include <cstdint>

namespace fw {

struct LocalTime {
  int year = 2000;
  int month = 1;  // 1 to 12
  int day = 1;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool operator==(const LocalTime& o) const {
    return year == o.year && month == o.month && day == o.day && hour == o.hour &&
           minute == o.minute && second == o.second;
  }
  bool operator!=(const LocalTime& o) const { return !(*this == o); }
};

// Seconds since 1970-01-01 00:00:00 of the same clock (no time zone involved).
int64_t ToEpochSeconds(const LocalTime& t);
LocalTime FromEpochSeconds(int64_t seconds);
LocalTime AddSeconds(const LocalTime& t, int64_t seconds);

}  // namespace fw
