// Calendar time in UTC (proleptic Gregorian calendar) and the deployment
// times that the DbConfig text writes from it. Pure functions, any thread,
// except CurrentUtcTime, which reads the system clock.
#pragma once

#include <cstdint>

#include "platform/text_types.h"

struct UtcTime {
  std::int64_t year = 1970;
  int month = 1;  // 1-12
  int day = 1;    // 1-31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// The calendar time of a count of seconds since 1970-01-01 00:00:00 UTC
// (negative counts lie before it).
UtcTime UtcTimeFromUnixSeconds(std::int64_t seconds);

// The system clock's current time.
UtcTime CurrentUtcTime();

// The same day and time `years` later. 29 February of a year that leads to
// a common year becomes 28 February.
UtcTime YearsLater(const UtcTime& time, int years);

// "year-month-day hour:minute:second" in decimal without zero padding, e.g.
// "2024-2-9 7:5:0".
platform::WString DeployTimeText(const UtcTime& time);
