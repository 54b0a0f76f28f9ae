#include "utc_time.h"

#include <chrono>

#include "platform/format.h"

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Floor division, so that times before 1970 fall on the right day.
std::int64_t FloorDivide(std::int64_t value, std::int64_t divisor) {
  const std::int64_t quotient = value / divisor;
  return quotient * divisor > value ? quotient - 1 : quotient;
}

bool IsLeapYear(std::int64_t year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

// Year, month and day of a count of days since 1970-01-01, with eras of
// 400 years (146097 days) that begin on 1 March, so that the leap day ends
// each year of the era.
void CivilFromDays(std::int64_t days, UtcTime& time) {
  days += 719468;  // days from 0000-03-01 to 1970-01-01
  const std::int64_t era = FloorDivide(days, 146097);
  const std::int64_t day_of_era = days - era * 146097;
  const std::int64_t year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t month_from_march = (5 * day_of_year + 2) / 153;
  time.day = static_cast<int>(day_of_year - (153 * month_from_march + 2) / 5 + 1);
  time.month = static_cast<int>(month_from_march < 10 ? month_from_march + 3 : month_from_march - 9);
  time.year = year_of_era + era * 400 + (time.month <= 2 ? 1 : 0);
}

}  // namespace

UtcTime UtcTimeFromUnixSeconds(std::int64_t seconds) {
  const std::int64_t days = FloorDivide(seconds, kSecondsPerDay);
  const std::int64_t second_of_day = seconds - days * kSecondsPerDay;
  UtcTime time;
  CivilFromDays(days, time);
  time.hour = static_cast<int>(second_of_day / 3600);
  time.minute = static_cast<int>(second_of_day / 60 % 60);
  time.second = static_cast<int>(second_of_day % 60);
  return time;
}

UtcTime CurrentUtcTime() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return UtcTimeFromUnixSeconds(std::chrono::duration_cast<std::chrono::seconds>(now).count());
}

UtcTime YearsLater(const UtcTime& time, int years) {
  UtcTime later = time;
  later.year += years;
  if (later.month == 2 && later.day == 29 && !IsLeapYear(later.year)) later.day = 28;
  return later;
}

platform::WString DeployTimeText(const UtcTime& time) {
  return platform::Format(u"%I64d-%d-%d %d:%d:%d",
                          {time.year, time.month, time.day, time.hour, time.minute, time.second});
}
