// Local time of the machine's current time zone: what Windows gives with
// FileTimeToSystemTime and SystemTimeToTzSpecificLocalTime. On Linux the
// zone is the process's TZ variable (else /etc/localtime), read again at
// every call so that a change of TZ takes effect as a change of zone does.
// Thread safety: any thread, while no thread changes TZ.
#pragma once

#include <cstdint>
#include <optional>

namespace platform {

struct LocalCalendarTime {
  std::int64_t year = 0;  // e.g. 2024; 0 and negative years are proleptic
  int month = 0;          // 1 to 12
  int day = 0;            // 1 to 31
  int hour = 0;           // 0 to 23
  int minute = 0;         // 0 to 59
  int second = 0;         // 0 to 60 (a leap second where the zone has one)
};

// The local calendar time of `seconds` since 1970-01-01 00:00:00 UTC, for
// any time of the proleptic Gregorian calendar the C library can represent;
// nullopt when it cannot be converted.
std::optional<LocalCalendarTime> LocalTimeFromUnixSeconds(std::int64_t seconds);

}  // namespace platform
