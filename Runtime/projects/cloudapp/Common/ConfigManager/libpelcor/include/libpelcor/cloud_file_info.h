// CloudFileInfo: one file entry of a runtime manifest module or of an app
// manifest's download lists, handed to the caller inside standard-library
// containers (caller and library share one standard library and one heap;
// the caller owns the containers it passes in).
//
// In a runtime manifest, an element of a module's "files" array (elements
// that are not objects are skipped). The comment after a field names the
// member of that file object, matched exactly, and its JSON type: a string
// absent, or of another type, reads as the empty text (also for Path, whose
// default "." only a new record has); "size" is a JSON number without
// fraction or exponent, its low 32 bits, else 0; "isneedextract" is true
// only for JSON true. IRuntimeManifest::SetFiles writes every member below.
// The app manifest (i_app_manifest.h) fills the entries from the app
// configuration's file objects instead (app_config_record.h).
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>

struct CloudFileInfo {
  std::u16string Name;        // "name": string
  std::u16string Path = u".";  // "path": string
  // "action": string, the registration tool, or what to do with the file;
  // read without leading and trailing spaces (U+0020 only).
  std::u16string Action;
  std::u16string HashCode;    // "hashcode": string
  std::uint32_t Size = 0;     // "size": integer (unsigned)
  bool NeedExtract = false;   // "isneedextract": true/false; a package to unpack
  std::u16string PackageName;  // "packagename": string
  // How an ini file is updated (the app manifest's ini files); not in a
  // runtime manifest.
  std::int32_t UpdateType = 2;
};

using CloudFileList = std::list<CloudFileInfo>;

// Keyed by the file's relative path: Path, "\" (unless Path is empty or
// already ends in "\"), Name.
using CloudFileMap = std::unordered_map<std::u16string, CloudFileInfo>;
