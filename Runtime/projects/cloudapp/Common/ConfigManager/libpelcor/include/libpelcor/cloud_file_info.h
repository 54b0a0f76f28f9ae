// CloudFileInfo: one file entry of a runtime manifest module or of an app
// manifest's download lists, handed to the caller inside standard-library
// containers (caller and library share one standard library and one heap;
// the caller owns the containers it passes in).
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>

struct CloudFileInfo {
  std::u16string Name;
  std::u16string Path = u".";
  std::u16string Action;  // the registration tool, or what to do with the file
  std::u16string HashCode;
  std::uint32_t Size = 0;
  bool NeedExtract = false;  // a package to unpack
  std::u16string PackageName;
  std::int32_t UpdateType = 2;  // how an ini file is updated
};

using CloudFileList = std::list<CloudFileInfo>;

// Keyed by the file's relative path: Path, "\" (unless Path is empty or
// already ends in "\"), Name.
using CloudFileMap = std::unordered_map<std::u16string, CloudFileInfo>;
