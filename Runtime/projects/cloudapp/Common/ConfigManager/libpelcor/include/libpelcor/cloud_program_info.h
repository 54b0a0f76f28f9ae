// What the plug-in description says of one client program and of the
// package that carries them (ITQCloudPlugins). Standard-library strings:
// caller and library share one standard library.
#pragma once

#include <cstdint>
#include <string>

struct CloudProgramInfo {
  std::uint32_t Kind = 0;  // 0 "dovrake", 1 "mirtaval"
  std::int32_t UpdateMode = 0;
  std::u16string Version;
  std::u16string MinVersion;
  std::int32_t Mode = 0;  // the description's platform mode
};

struct CloudPackageInfo {
  std::u16string Package;
  std::u16string CheckCode;
};
