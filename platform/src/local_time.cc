#include "platform/local_time.h"

#include <ctime>
#include <limits>

namespace platform {

std::optional<LocalCalendarTime> LocalTimeFromUnixSeconds(std::int64_t seconds) {
  static_assert(std::numeric_limits<std::time_t>::digits >= 63, "time_t must hold 64-bit seconds");
  ::tzset();
  const std::time_t time = seconds;
  std::tm fields{};
  if (::localtime_r(&time, &fields) == nullptr) return std::nullopt;
  LocalCalendarTime local;
  local.year = std::int64_t{fields.tm_year} + 1900;
  local.month = fields.tm_mon + 1;
  local.day = fields.tm_mday;
  local.hour = fields.tm_hour;
  local.minute = fields.tm_min;
  local.second = fields.tm_sec;
  return local;
}

}  // namespace platform
