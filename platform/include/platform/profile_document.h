// The text of an INI file ("private profile") held as its lines, so that an
// edit changes only the lines it is about and everything else is written
// back as it was read.
//
// Reading rules, as Windows reads profile files:
// - "[name]" opens a section (blanks around the line and the name are
//   ignored; the name ends at the first "]"). A line starting with ";" is a
//   comment. A "[" line without "]", blank lines and lines before the first
//   section belong to no section and are kept as they are.
// - Inside a section, "key=value" splits at the first "="; blanks around the
//   key and the value are ignored. A line without "=" is a key with an empty
//   value.
// - Section and key names compare without case (ASCII letters). Several
//   sections of one name read as one section, in file order; the first of
//   several equal keys wins.
// - A value enclosed in one pair of matching quotes (" or ') is read
//   without them.
//
// Editing: a new key goes after the last key of its section, a new section
// at the end of the file. Names holding "]" (sections), "=" (keys), a line
// break or NUL, keys that would read as a section or a comment, and values
// holding a line break or NUL are refused: the document is left unchanged.
//
// Encoding: UTF-8 (a byte-order mark is kept); a file that is not valid
// UTF-8 is read as Windows-1252 and written back as UTF-8. Lines end as the
// file's first line ends (CRLF or LF; LF for a new file).
//
// Thread safety: a document is a plain value; const members may be called
// from several threads at once, an edit needs exclusive access.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_types.h"

namespace platform {

enum class ProfileEdit {
  kRefused,    // a name, value or line would not read back as given
  kUnchanged,  // the document already said so
  kChanged,
};

class ProfileDocument {
 public:
  // An empty document (a missing file reads as one).
  ProfileDocument() = default;

  // Reads a file's bytes. Never fails: what is not understood is kept as a
  // line of no section.
  static ProfileDocument Parse(std::string_view bytes);

  // The file's bytes: every line followed by the line end.
  std::string Serialize() const;

  // Each section's name once, as first written, in file order.
  std::vector<WString> SectionNames() const;

  // The keys of a section as "key=value" (or "key" alone when the line has
  // no "="), blanks trimmed, quotes kept; empty when the section is missing
  // or has no keys.
  std::vector<WString> SectionLines(WStringView section) const;

  // A key's value without enclosing quotes; nullopt when the key or the
  // section is missing.
  std::optional<WString> Value(WStringView section, WStringView key) const;

  // Sets a key, adding it (and its section) when missing. An existing key
  // keeps the letter case it was written with.
  ProfileEdit SetValue(WStringView section, WStringView key, WStringView value);

  // Removes every line of the key from its section.
  ProfileEdit DeleteKey(WStringView section, WStringView key);

  // Removes the section: its header and every line up to the next section.
  ProfileEdit DeleteSection(WStringView section);

  // Replaces the keys of a section by `lines` ("key=value" each, written as
  // given; comments in the section stay), adding the section when missing.
  // A line that is empty, would open a section, or holds a line break or
  // NUL is refused.
  ProfileEdit ReplaceSection(WStringView section, const std::vector<WString>& lines);

 private:
  // Header line indexes of every section of that name, in file order.
  std::vector<std::size_t> SectionHeaders(WStringView section) const;
  // The index of the next header after `header` (or the line count).
  std::size_t SectionEnd(std::size_t header) const;

  std::vector<WString> lines_;  // without line ends
  bool utf8_bom_ = false;
  bool crlf_ = false;
};

}  // namespace platform
