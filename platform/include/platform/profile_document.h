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
// Encoding, as the Windows profile functions keep it: a file that begins
// with a UTF-16 byte-order mark (FF FE little-endian, FE FF big-endian) is
// read and written as UTF-16 in that byte order; any other file as UTF-8
// (a UTF-8 mark is kept) when it is valid UTF-8, else as Windows-1252 (the
// ANSI code page). A document is written back in the encoding it was read
// in, with its mark, so every line that no edit touched keeps its bytes,
// line end included; a new line ends as the file's first line ends (CRLF,
// LF or CR; LF for a new file or a first line without an end). A new file
// is UTF-8 without a mark.
// A document whose bytes could not be read exactly (a UTF-8 mark before
// bytes that are not UTF-8, a UTF-16 file of an odd byte count, an
// unmarked file holding zero bytes) refuses every edit and has no bytes to
// write; so has a document whose bytes would not read back as it stands (a
// character its encoding cannot hold: outside Windows-1252 in an ANSI file,
// a lone surrogate in UTF-8; or an edit that changes how the encoding is
// recognised, such as removing the last byte of a Windows-1252 file that
// is not UTF-8). Such a file is never rewritten.
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

// The encoding of an INI file (see ProfileDocument).
enum class ProfileEncoding {
  kUtf8,     // no mark
  kUtf8Bom,  // EF BB BF
  kUtf16Le,  // FF FE
  kUtf16Be,  // FE FF
  kAnsi,     // Windows-1252, no mark
};

enum class ProfileEdit {
  kRefused,    // a name, value or line would not read back as given, or the
               // file was not read exactly
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

  // The file's bytes: the mark, then every line with its line end, in the
  // document's encoding; for a document not edited since it was parsed,
  // the bytes it was parsed from. nullopt when the document was not read
  // exactly, or when its bytes would not read back as this document.
  std::optional<std::string> Serialize() const;

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
  struct Line {
    WString text;
    WString end;  // "\r\n", "\n", "\r", or "" for a last line without one
  };

  // Header line indexes of every section of that name, in file order.
  std::vector<std::size_t> SectionHeaders(WStringView section) const;
  // The index of the next header after `header` (or the line count).
  std::size_t SectionEnd(std::size_t header) const;
  // Inserts new lines before line `at`, each ending as the first line ends.
  void InsertLines(std::size_t at, std::vector<WString> texts);
  void EraseLines(std::size_t first, std::size_t end);

  std::vector<Line> lines_;
  ProfileEncoding encoding_ = ProfileEncoding::kUtf8;
  bool exact_ = true;  // the lines hold exactly what the file held
};

}  // namespace platform
