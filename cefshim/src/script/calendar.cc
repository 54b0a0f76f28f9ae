#include "script/calendar.h"

#include <cmath>
#include <cstdint>

namespace cefshim::script {
namespace {

constexpr std::int64_t kMillisecondsPerDay = 86400000;

// Days since 1970-01-01 of a civil date (month 1 to 12).
std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
  year -= month <= 2;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t year_of_era = year - era * 400;
  const std::int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

// The civil date of a day count since 1970-01-01.
void CivilFromDays(std::int64_t days, CefTime* time) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t day_of_era = days - era * 146097;
  const std::int64_t year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t month_index = (5 * day_of_year + 2) / 153;
  time->day_of_month = static_cast<int>(day_of_year - (153 * month_index + 2) / 5 + 1);
  time->month = static_cast<int>(month_index < 10 ? month_index + 3 : month_index - 9);
  time->year = static_cast<int>(year_of_era + era * 400 + (time->month <= 2));
}

std::int64_t FloorDivide(std::int64_t a, std::int64_t b) {
  return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

std::int64_t FloorModulo(std::int64_t a, std::int64_t b) {
  return a - FloorDivide(a, b) * b;
}

}  // namespace

CefTime TimeFromEpochMilliseconds(double milliseconds) {
  CefTime time{};
  if (!std::isfinite(milliseconds)) return time;
  const auto total = static_cast<std::int64_t>(std::floor(milliseconds));
  const std::int64_t days = FloorDivide(total, kMillisecondsPerDay);
  std::int64_t in_day = total - days * kMillisecondsPerDay;
  CivilFromDays(days, &time);
  time.day_of_week = static_cast<int>(FloorModulo(days + 4, 7));  // 1970-01-01 was a Thursday
  time.millisecond = static_cast<int>(in_day % 1000);
  in_day /= 1000;
  time.second = static_cast<int>(in_day % 60);
  in_day /= 60;
  time.minute = static_cast<int>(in_day % 60);
  time.hour = static_cast<int>(in_day / 60);
  return time;
}

double EpochMillisecondsFromTime(const CefTime& time) {
  const std::int64_t month_index = time.month - 1;
  const std::int64_t year = time.year + FloorDivide(month_index, 12);
  const std::int64_t month = FloorModulo(month_index, 12) + 1;
  const std::int64_t days = DaysFromCivil(year, month, 1) + time.day_of_month - 1;
  const std::int64_t seconds =
      static_cast<std::int64_t>(time.hour) * 3600 + static_cast<std::int64_t>(time.minute) * 60 + time.second;
  return static_cast<double>(days * kMillisecondsPerDay + seconds * 1000 + time.millisecond);
}

}  // namespace cefshim::script
