// The datetime text of a script date: its universal-time calendar fields
// shown in the machine's local time zone, with the date's own milliseconds.
// Pure (reads the current time zone); any thread.
#pragma once

#include "cef_types.h"
#include "platform/text_types.h"

namespace Kestrun {

enum class MillisecondsStyle {
  kPadded,  // "%03d": 5 ms is written as 005 (evaluation results, elements)
  kPlain,   // "%d": 5 ms is written as 5 (the data argument of Invoke)
};

// "year-MM-dd hh:mm:ss.mmm" in local time, for every date a script can hold
// (a year before 1 is written with its sign, e.g. -500). Months outside 1
// to 12 and the other fields carry as calendar arithmetic does. When the
// local time cannot be had the universal-time fields are written as they
// stand. A CefTime whose month is 0 (what an invalid date gives) is written
// as "Invalid Date".
platform::WString DatetimeText(const CefTime& universal, MillisecondsStyle style);

}  // namespace Kestrun
