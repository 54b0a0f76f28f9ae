// Reading and writing an HTML page file as UTF-16 text, in the encoding the
// file has, so that a page is written back in the form it was read.
//
// The encoding comes from the byte-order mark: UTF-8 (EF BB BF), UTF-16LE
// (FF FE) or UTF-16BE (FE FF); UTF-32 marks (FF FE 00 00, 00 00 FE FF) are
// not read. A page without a mark is UTF-8 when its bytes are valid UTF-8,
// else Windows-1252. A zero character is an ordinary character of the text.
// Pure file functions, any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

enum class PageEncoding { kUtf8, kUtf8WithMark, kAnsi, kUtf16Le, kUtf16Be };

struct HtmlPage {
  std::u16string text;
  PageEncoding encoding = PageEncoding::kUtf8;
};

// A page from a file's bytes; nullopt for a UTF-32 mark and for bytes that
// do not fit their encoding (see ReadHtmlFile).
std::optional<HtmlPage> DecodeHtmlPage(std::string_view bytes);

// The file's bytes for a page; nullopt for a text that its encoding cannot
// hold (see WriteHtmlFile).
std::optional<std::string> EncodeHtmlPage(const HtmlPage& page);

// The page; nullopt for a null or empty path, a file that cannot be read or
// is empty, a UTF-32 file, and a file whose bytes do not fit its encoding
// (ill-formed UTF-8 after a UTF-8 mark, an odd byte count after a UTF-16
// mark), which could not be written back unchanged.
std::optional<HtmlPage> ReadHtmlFile(const char16_t* path);

// Replaces the file atomically with the page's text in the page's encoding,
// mark first. False for a null or empty path, for a text that the encoding
// cannot hold (a character outside Windows-1252, a lone surrogate in UTF-8),
// and when the file cannot be replaced (it is then left as it was).
bool WriteHtmlFile(const char16_t* path, const HtmlPage& page);
