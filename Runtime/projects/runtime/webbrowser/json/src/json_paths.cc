#include "json_paths.h"

#include "platform/wide_string.h"
#include "tqjson/json_codes.h"

namespace TQJSON {
namespace {

bool HasDecimalDigit(std::u16string_view text) {
  for (const char16_t c : text) {
    if (c >= u'0' && c <= u'9') return true;
  }
  return false;
}

// Where the segment that starts at `begin` ends: at the next "/" that is
// not the second character of "~/", or at the end of the path.
std::size_t SegmentEnd(std::u16string_view path, std::size_t begin) {
  std::size_t i = begin;
  while (i < path.size() && path[i] != u'/') {
    i += (path[i] == u'~' && i + 1 < path.size() && path[i + 1] == u'/') ? 2 : 1;
  }
  return i;
}

// A path segment as a pointer token: "~/" becomes "~1", the rest stays.
std::u16string SegmentToken(std::u16string_view segment) {
  std::u16string token;
  token.reserve(segment.size());
  for (std::size_t i = 0; i < segment.size(); ++i) {
    token += segment[i];
    if (segment[i] == u'~' && i + 1 < segment.size() && segment[i + 1] == u'/') {
      token += u'1';
      ++i;
    }
  }
  return token;
}

// The token of a segment below `parent`: an index counted from 0 when the
// segment holds a digit and the parent is an array, else a member token.
std::u16string TokenBelow(const JsonValue& parent, std::u16string_view segment) {
  if (parent.IsArray() && HasDecimalDigit(segment)) {
    // _wtoi saturates, so the subtraction is done in 64 bits.
    const std::int64_t index = std::int64_t{platform::WToInt(segment)} - 1;
    return platform::IntToW(index);
  }
  return SegmentToken(segment);
}

// The child that one pointer token names, or null.
const JsonValue* Step(const JsonValue& parent, const std::u16string& token) {
  return ResolvePointer(parent, std::u16string(1, u'/') + token);
}

// A member name with "~" written as "~0" and "/" as `slash`.
std::u16string EscapeName(std::u16string_view name, std::u16string_view slash) {
  std::u16string escaped;
  escaped.reserve(name.size());
  for (const char16_t c : name) {
    if (c == u'~') {
      escaped += u"~0";
    } else if (c == u'/') {
      escaped += slash;
    } else {
      escaped += c;
    }
  }
  return escaped;
}

}  // namespace

std::int32_t ConvertPathToPointer(const JsonValue& root, const char16_t* path, PathTarget* target) {
  if (path == nullptr || path[0] != u'/') return JSONFUN_PATH_ERROR;
  const std::u16string_view text(path);
  target->pointer.clear();
  const JsonValue* current = &root;
  for (std::size_t begin = 1; text.size() > 1 && current != nullptr;) {
    const std::size_t end = SegmentEnd(text, begin);
    const std::u16string token = TokenBelow(*current, text.substr(begin, end - begin));
    target->pointer += u'/';
    target->pointer += token;
    current = Step(*current, token);
    if (end == text.size()) break;
    begin = end + 1;
  }
  target->node = current;
  return current != nullptr ? kJsonSuccess : JSONFUN_PATH_ERROR;
}

const JsonValue* ResolvePointer(const JsonValue& root, std::u16string_view pointer) {
  const JsonPointer parsed(pointer.data(), pointer.size());
  return parsed.IsValid() ? parsed.Get(root) : nullptr;
}

std::u16string EscapePointerToken(std::u16string_view name) { return EscapeName(name, u"~1"); }

std::optional<std::u16string> ConvertPointerToPath(const JsonValue& root, std::u16string_view pointer) {
  const JsonPointer parsed(pointer.data(), pointer.size());
  if (!parsed.IsValid()) return std::nullopt;
  std::u16string path;
  const JsonValue* current = &root;
  for (std::size_t i = 0; i < parsed.GetTokenCount(); ++i) {
    const JsonPointer::Token& token = parsed.GetTokens()[i];
    if (current->IsArray()) {
      if (token.index == rapidjson::kPointerInvalidIndex || token.index >= current->Size()) return std::nullopt;
      path += u'/';
      path += platform::UIntToW(std::uint64_t{token.index} + 1);
      current = &(*current)[token.index];
      continue;
    }
    if (!current->IsObject()) return std::nullopt;
    const auto member = current->FindMember(rapidjson::GenericStringRef<char16_t>(token.name, token.length));
    if (member == current->MemberEnd()) return std::nullopt;
    path += u'/';
    path += EscapeName(std::u16string_view(token.name, token.length), u"~/");
    current = &member->value;
  }
  return path.empty() ? std::u16string(u"/") : path;
}

}  // namespace TQJSON
