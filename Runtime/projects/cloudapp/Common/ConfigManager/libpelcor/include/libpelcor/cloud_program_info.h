// What the plug-in description says of one client program and of the
// package that carries them (ITQCloudPlugins). Standard-library strings:
// caller and library share one standard library.
//
// The description is a JSON object: "mode" (integer), the program sections
// "dovrake" and "mirtaval" (objects), "package" and "checkcode" (strings).
// The comment after a field names the member that fills it and its JSON
// type. A member that a query requires and that is missing or of another
// type makes it fail, the fields filled before it keeping their new values.
#pragma once

#include <cstdint>
#include <string>

struct CloudProgramInfo {
  std::uint32_t Kind = 0;         // the kind asked for: 0 "dovrake", 1 "mirtaval"; set on success only
  // The section's "updatemode": number, required; an integer gives its low
  // 32 bits, another number is cut toward zero (and held within 32 bits).
  std::int32_t UpdateMode = 0;
  std::u16string Version;         // section's "version": string, required
  std::u16string MinVersion;      // section's "minver": string, required
  // The root's "mode": integer, the description's platform mode; any other
  // value, or none, leaves the field as it was.
  std::int32_t Mode = 0;
};

struct CloudPackageInfo {
  std::u16string Package;    // the root's "package": string, required
  std::u16string CheckCode;  // the root's "checkcode": string, required
};
