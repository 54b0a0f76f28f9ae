#include "profile_text_encoding.h"

#include "platform/codepage.h"
#include "platform/unicode.h"

namespace platform::detail {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

bool StartsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

ProfileText DecodeUtf16File(std::string_view bytes, ProfileEncoding encoding) {
  bytes.remove_prefix(2);
  return {Utf16FromBytes(bytes, encoding == ProfileEncoding::kUtf16Be), encoding, bytes.size() % 2 == 0};
}

}  // namespace

ProfileText DecodeProfileText(std::string_view bytes) {
  if (StartsWith(bytes, kUtf16LeMark)) return DecodeUtf16File(bytes, ProfileEncoding::kUtf16Le);
  if (StartsWith(bytes, kUtf16BeMark)) return DecodeUtf16File(bytes, ProfileEncoding::kUtf16Be);
  if (StartsWith(bytes, kUtf8Mark)) {
    bytes.remove_prefix(kUtf8Mark.size());
    const bool utf8 = IsValidUtf8(bytes);
    return {utf8 ? Utf8ToUtf16(bytes) : AnsiToUtf16(bytes), ProfileEncoding::kUtf8Bom, utf8};
  }
  const bool exact = bytes.find('\0') == std::string_view::npos;
  if (IsValidUtf8(bytes)) return {Utf8ToUtf16(bytes), ProfileEncoding::kUtf8, exact};
  return {AnsiToUtf16(bytes), ProfileEncoding::kAnsi, exact};
}

std::string_view ProfileTextMark(ProfileEncoding encoding) {
  switch (encoding) {
    case ProfileEncoding::kUtf8Bom:
      return kUtf8Mark;
    case ProfileEncoding::kUtf16Le:
      return kUtf16LeMark;
    case ProfileEncoding::kUtf16Be:
      return kUtf16BeMark;
    case ProfileEncoding::kUtf8:
    case ProfileEncoding::kAnsi:
      break;
  }
  return {};
}

void AppendProfileText(WStringView text, ProfileEncoding encoding, std::string& bytes) {
  switch (encoding) {
    case ProfileEncoding::kUtf16Le:
    case ProfileEncoding::kUtf16Be:
      AppendUtf16Bytes(text, encoding == ProfileEncoding::kUtf16Be, bytes);
      return;
    case ProfileEncoding::kUtf8:
    case ProfileEncoding::kUtf8Bom:
      bytes += Utf16ToUtf8(text);
      return;
    case ProfileEncoding::kAnsi:
      bytes += Utf16ToAnsi(text);
      return;
  }
}

}  // namespace platform::detail
