#include "datetime_text.h"

#include <cstdint>

#include "platform/format.h"
#include "platform/local_time.h"

namespace Kestrun {
namespace {

std::int64_t FloorDivide(std::int64_t value, std::int64_t divisor) {
  return value / divisor - ((value % divisor != 0) && ((value < 0) != (divisor < 0)) ? 1 : 0);
}

// Days from 1970-01-01 to the first of the month in the proleptic
// Gregorian calendar (the well-known days-from-civil arithmetic over
// 400-year eras); `month` counts from 1 and may lie outside 1 to 12.
std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month) {
  year += FloorDivide(month - 1, 12);
  month = month - 1 - 12 * FloorDivide(month - 1, 12) + 1;
  if (month <= 2) --year;
  const std::int64_t era = FloorDivide(year, 400);
  const std::int64_t year_of_era = year - era * 400;
  const std::int64_t day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5;
  const std::int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

std::int64_t UnixSeconds(const CefTime& time) {
  const std::int64_t days = DaysFromCivil(time.year, time.month) + time.day_of_month - 1;
  return days * 86400 + std::int64_t{time.hour} * 3600 + std::int64_t{time.minute} * 60 + time.second;
}

}  // namespace

platform::WString DatetimeText(const CefTime& universal, MillisecondsStyle style) {
  if (universal.month == 0) return u"Invalid Date";
  platform::LocalCalendarTime shown;
  if (const auto local = platform::LocalTimeFromUnixSeconds(UnixSeconds(universal))) {
    shown = *local;
  } else {
    shown = {universal.year, universal.month, universal.day_of_month, universal.hour, universal.minute,
             universal.second};
  }
  const char16_t* format = style == MillisecondsStyle::kPadded ? u"%d-%02d-%02d %02d:%02d:%02d.%03d"
                                                                : u"%d-%02d-%02d %02d:%02d:%02d.%d";
  return platform::Format(format, {shown.year, shown.month, shown.day, shown.hour, shown.minute, shown.second,
                                   universal.millisecond});
}

}  // namespace Kestrun
