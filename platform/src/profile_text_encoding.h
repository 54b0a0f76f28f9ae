// The encodings of INI files and the conversions between a file's bytes and
// its UTF-16 text, as the Windows profile functions read and write them: a
// file that begins with a UTF-16 byte-order mark is UTF-16 in that byte
// order; any other file is UTF-8 (with or without its mark) when it is valid
// UTF-8, else the ANSI code page (Windows-1252). Pure functions, any thread.
// Internal.
#pragma once

#include <string>
#include <string_view>

#include "platform/profile_document.h"
#include "platform/text_types.h"

namespace platform::detail {

struct ProfileText {
  WString text;  // without the byte-order mark
  ProfileEncoding encoding = ProfileEncoding::kUtf8;
  // False when the text is not exactly what the bytes hold, so writing it
  // back would change what is not edited: a UTF-8 mark before bytes that are
  // not UTF-8, a UTF-16 file of an odd byte count, or an unmarked file with
  // zero bytes (UTF-16 without its mark, most likely).
  bool exact = true;
};

// Reads a file's bytes. Never fails.
ProfileText DecodeProfileText(std::string_view bytes);

// The byte-order mark that a file of `encoding` begins with ("" for none).
std::string_view ProfileTextMark(ProfileEncoding encoding);

// Appends `text` in `encoding` (no mark) to `bytes`. A character the
// encoding cannot hold becomes a replacement ('?' in Windows-1252, U+FFFD
// for a lone surrogate in UTF-8); UTF-16 holds every text.
void AppendProfileText(WStringView text, ProfileEncoding encoding, std::string& bytes);

}  // namespace platform::detail
