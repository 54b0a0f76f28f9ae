// The read-only registry: Windows ".reg" text files.
//
// Sources: when LUMARINE_REGISTRY names a file, that file holds both hives
// and is the only source. Otherwise HKEY_CURRENT_USER comes from
// ${XDG_CONFIG_HOME:-~/.config}/lumarine/registry.reg and HKEY_LOCAL_MACHINE
// from /etc/lumarine/registry.reg. A missing or unreadable file is an empty
// hive. Files are read again each time a key is opened, so a change on disk
// is seen by the next OpenRegistryKey.
//
// Format (as regedit writes it): a header line ("Windows Registry Editor
// Version 5.00" or "REGEDIT4"; optional here); "[HKEY_...\key]" sections
// ("[-...]" deletes a key and everything below it); values "name"=... or
// @=... (the default value) as "text" (escapes: a doubled backslash and
// \" ; any other backslash stays as written), dword:xxxxxxxx (1 to 8 hex
// digits), hex:..., hex(N):... (2 expandable string, 7 multi-string,
// b qword; string data in UTF-16LE bytes, in the ANSI code page in a
// REGEDIT4 file), "name"=- deletes a value. Blanks around "=" are allowed.
// A line whose last non-blank character is a backslash continues on the
// next (leading blanks of the next line dropped); a line beginning with ";"
// is a comment and never continues; CRLF, LF or CR. UTF-8 (with or without
// BOM) or UTF-16LE with a BOM; bytes that are not UTF-8 are read as
// Windows-1252. Key and value names compare without case (ASCII); a later
// duplicate value wins and duplicate sections merge. Malformed lines, and
// values before the first section, are skipped.
//
// A key exists when a section names it or a key below it (its parents are
// implied, as on Windows); a hive's root always exists.
//
// Thread safety: functions may be called from any thread; a RegistryKey is
// an immutable snapshot and may be shared.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_types.h"

namespace platform {

enum class RegistryHive { kCurrentUser, kLocalMachine };

enum class RegistryValueType : std::uint32_t {
  kNone = 0,
  kString = 1,        // REG_SZ
  kExpandString = 2,  // REG_EXPAND_SZ
  kBinary = 3,        // REG_BINARY
  kDword = 4,         // REG_DWORD
  kMultiString = 7,   // REG_MULTI_SZ
  kQword = 11,        // REG_QWORD
};

struct RegistryValue {
  RegistryValueType type = RegistryValueType::kNone;
  std::string data;  // raw bytes as Windows stores them (strings in UTF-16LE with terminator)
};

// Case-insensitive (ASCII) ordering of names.
struct RegistryNameLess {
  bool operator()(const WString& a, const WString& b) const;
};

// One key's values, by name ("" is the default value).
using RegistryValues = std::map<WString, RegistryValue, RegistryNameLess>;

// A parsed .reg file: full key path ("HKEY_LOCAL_MACHINE\Software\X") to its
// values. Key paths compare without case.
using RegistryData = std::map<WString, RegistryValues, RegistryNameLess>;

// Parses a .reg file's bytes into `data` (merging with what it holds).
// Never fails: what cannot be understood is skipped.
void ParseRegFile(std::string_view bytes, RegistryData& data);

class RegistryKey {
 public:
  // Opens `subkey` ("Software\Corvana\X", "\"-separated, case-insensitive)
  // under the hive. nullptr when the key does not exist.
  static std::unique_ptr<RegistryKey> Open(RegistryHive hive, WStringView subkey);

  // A value of any type; nullopt when absent.
  std::optional<RegistryValue> ReadValue(WStringView name) const;

  // A REG_SZ or REG_EXPAND_SZ value as text (up to its first NUL; an
  // expandable string is not expanded). nullopt when absent or of another type.
  std::optional<WString> ReadString(WStringView name) const;

  // A REG_DWORD value; nullopt when absent or of another type.
  std::optional<std::uint32_t> ReadDword(WStringView name) const;

  explicit RegistryKey(RegistryValues values) : values_(std::move(values)) {}

 private:
  RegistryValues values_;
};

}  // namespace platform
