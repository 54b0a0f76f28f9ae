// Universal-time calendar fields and milliseconds since 1970-01-01, in the
// proleptic Gregorian calendar for every year a script date can hold.
// Pure functions; any thread.
#pragma once

#include "cef_types.h"

namespace cefshim::script {

// The fields of a time; all fields 0 for NaN or an infinity.
CefTime TimeFromEpochMilliseconds(double milliseconds);

// The time of the fields; a month outside 1 to 12 carries into the year and
// days, hours, minutes, seconds and milliseconds carry likewise.
double EpochMillisecondsFromTime(const CefTime& time);

}  // namespace cefshim::script
