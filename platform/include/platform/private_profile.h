// INI files ("private profiles") by path, with the reading and editing
// rules of ProfileDocument (profile_document.h): names compare without
// case, one pair of enclosing quotes is stripped from a value, a new key or
// section is added at the end of its section or of the file.
//
// A file keeps its encoding (UTF-16 with its byte-order mark, UTF-8 or
// Windows-1252) and every line that no edit touches keeps its bytes
// (ProfileDocument). A missing file reads as empty and is created as UTF-8.
// Every write reads the file, edits it and replaces it atomically
// (ReplaceFileAtomically, which writes through a symbolic link): a failed
// write leaves the file as it was. A write that would change nothing does
// not touch the file (so deleting from a missing file creates none). A file
// that exists but cannot be read, cannot be read exactly (the write is
// refused), or is read-only, is never written; nor is a FIFO, device or
// folder at the path, which also reads as empty without being opened.
//
// The deletions are what a null key (whole section) and a null value (one
// key) ask for of the Windows profile functions.
//
// Thread safety: any thread. Writes within one process are serialised, so
// concurrent edits of one file do not lose each other; writes by other
// processes are not coordinated.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "platform/profile_document.h"
#include "platform/text_types.h"

namespace platform {

// Every section's name once, in file order; empty when the file is missing
// or has no section.
std::vector<WString> ReadProfileSectionNames(WStringView file);

// The keys of a section as "key=value" lines (ProfileDocument::SectionLines);
// empty when the file or the section is missing or the section has no keys.
std::vector<WString> ReadProfileSection(WStringView file, WStringView section);

// A key's value, cut as a caller's buffer of `capacity` units (terminating
// zero included) cuts it: at most capacity - 1 units, never half a
// surrogate pair. nullopt when the file, the section or the key is missing.
std::optional<WString> ReadProfileString(WStringView file, WStringView section, WStringView key,
                                         std::size_t capacity);

// Sets a key's value, creating the file, the section and the key as
// needed. False when a name or the value is refused, or the file could not
// be read or replaced.
bool WriteProfileString(WStringView file, WStringView section, WStringView key, WStringView value);

// Replaces every key of a section by `lines` ("key=value" each), creating
// the file and the section as needed. False as for WriteProfileString.
bool WriteProfileSection(WStringView file, WStringView section, const std::vector<WString>& lines);

// Removes a key. True also when the key, its section or the file was
// already missing.
bool DeleteProfileKey(WStringView file, WStringView section, WStringView key);

// Removes a whole section. True also when it or the file was already
// missing.
bool DeleteProfileSection(WStringView file, WStringView section);

// Several edits of one file as one write: reads the file (a missing one as
// an empty document), applies `edit` and, when it changed the document,
// replaces the file once. So the edits are written whole or not at all:
// false, with the file as it was, when `edit` refuses (it may have changed
// the document before it refused), the file cannot be read, or the edited
// document cannot be written as it stands. True without a write when
// nothing changed. The writes above are such edits.
bool EditProfile(WStringView file, const std::function<ProfileEdit(ProfileDocument&)>& edit);

}  // namespace platform
