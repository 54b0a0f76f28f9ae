#include "html_page_file.h"

#include <string_view>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/unicode.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

bool StartsWith(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

bool IsUtf32(std::string_view bytes) {
  return StartsWith(bytes, std::string_view("\x00\x00\xFE\xFF", 4)) ||
         StartsWith(bytes, std::string_view("\xFF\xFE\x00\x00", 4));
}

std::optional<std::u16string> DecodeUtf16(std::string_view bytes, bool big_endian) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  return platform::Utf16FromBytes(bytes, big_endian);
}

std::string EncodeUtf16(std::u16string_view text, bool big_endian) {
  std::string bytes(big_endian ? kUtf16BeMark : kUtf16LeMark);
  platform::AppendUtf16Bytes(text, big_endian, bytes);
  return bytes;
}

}  // namespace

std::optional<HtmlPage> DecodeHtmlPage(std::string_view bytes) {
  if (IsUtf32(bytes)) return std::nullopt;
  std::optional<std::u16string> text;
  PageEncoding encoding;
  if (StartsWith(bytes, kUtf16BeMark)) {
    encoding = PageEncoding::kUtf16Be;
    text = DecodeUtf16(bytes.substr(2), true);
  } else if (StartsWith(bytes, kUtf16LeMark)) {
    encoding = PageEncoding::kUtf16Le;
    text = DecodeUtf16(bytes.substr(2), false);
  } else if (StartsWith(bytes, kUtf8Mark)) {
    encoding = PageEncoding::kUtf8WithMark;
    text = platform::Utf8ToUtf16Strict(bytes.substr(kUtf8Mark.size()));
  } else if ((text = platform::Utf8ToUtf16Strict(bytes))) {
    encoding = PageEncoding::kUtf8;
  } else {
    encoding = PageEncoding::kAnsi;
    text = platform::AnsiToUtf16(bytes);
  }
  if (!text) return std::nullopt;
  return HtmlPage{std::move(*text), encoding};
}

std::optional<std::string> EncodeHtmlPage(const HtmlPage& page) {
  switch (page.encoding) {
    case PageEncoding::kUtf16Le:
    case PageEncoding::kUtf16Be:
      return EncodeUtf16(page.text, page.encoding == PageEncoding::kUtf16Be);
    case PageEncoding::kUtf8:
    case PageEncoding::kUtf8WithMark: {
      std::optional<std::string> utf8 = platform::Utf16ToUtf8Strict(page.text);
      if (utf8 && page.encoding == PageEncoding::kUtf8WithMark) utf8->insert(0, kUtf8Mark);
      return utf8;
    }
    case PageEncoding::kAnsi: {
      bool substituted = false;
      std::string ansi = platform::Utf16ToAnsi(page.text, &substituted);
      if (substituted) return std::nullopt;
      return ansi;
    }
  }
  return std::nullopt;
}

std::optional<HtmlPage> ReadHtmlFile(const char16_t* path) {
  if (path == nullptr || *path == u'\0') return std::nullopt;
  const std::optional<std::string> bytes = platform::ReadWholeFile(path);
  if (!bytes || bytes->empty()) return std::nullopt;
  return DecodeHtmlPage(*bytes);
}

bool WriteHtmlFile(const char16_t* path, const HtmlPage& page) {
  if (path == nullptr || *path == u'\0') return false;
  const std::optional<std::string> bytes = EncodeHtmlPage(page);
  return bytes && platform::ReplaceFileAtomically(path, *bytes);
}
