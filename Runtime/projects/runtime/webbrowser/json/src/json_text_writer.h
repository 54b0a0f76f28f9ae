// Writes a document as JSON text with RapidJSON's writers, walking the tree
// with an explicit stack so that no depth can overflow the call stack.
//
// Settings shared by every output: the document's UTF-16 is the source;
// numbers with a fraction are written in RapidJSON's shortest round-trip
// form; NaN and the infinities are written as NaN, Infinity and -Infinity;
// the quotation mark, the reverse solidus and the control characters are
// escaped, "/" is not. A string that holds an unpaired surrogate, which no
// Unicode encoding can carry, is written with every character from U+0080
// up as a \u escape, so nothing is lost. Indented text is RapidJSON's
// pretty form, 4 spaces per level.
//
// Pure functions over the caller's value and stream; any thread.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "tqjson/json_codes.h"
#include "tqjson/json_document.h"
// After the configuration in json_document.h.
#include <rapidjson/encodedstream.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/writer.h>

namespace TQJSON {

// True when the UTF-16 text holds a high surrogate not followed by a low
// one, or a low surrogate not preceded by a high one.
bool HasUnpairedSurrogate(const char16_t* text, std::size_t length);

// The text as a JSON string literal, quotes included, in ASCII only: the
// characters RapidJSON escapes are escaped as it does, and every unit from
// U+0080 up is written as \u and four capital hex digits.
std::u16string AsciiStringLiteral(const char16_t* text, std::size_t length);

template <typename Writer>
bool WriteJsonString(Writer& writer, const JsonValue& string) {
  const char16_t* text = string.GetString();
  const rapidjson::SizeType length = string.GetStringLength();
  if (!HasUnpairedSurrogate(text, length)) return writer.String(text, length);
  const std::u16string literal = AsciiStringLiteral(text, length);
  return writer.RawValue(literal.data(), literal.size(), rapidjson::kStringType);
}

// Writes a scalar, or opens a container and pushes it onto `open`.
template <typename Writer>
bool WriteJsonValueStart(Writer& writer, const JsonValue& value, std::vector<const JsonValue*>& open,
                         std::vector<rapidjson::SizeType>& next) {
  switch (value.GetType()) {
    case rapidjson::kNullType:
      return writer.Null();
    case rapidjson::kFalseType:
    case rapidjson::kTrueType:
      return writer.Bool(value.GetBool());
    case rapidjson::kStringType:
      return WriteJsonString(writer, value);
    case rapidjson::kNumberType:
      if (value.IsDouble()) return writer.Double(value.GetDouble());
      if (value.IsInt()) return writer.Int(value.GetInt());
      if (value.IsUint()) return writer.Uint(value.GetUint());
      if (value.IsInt64()) return writer.Int64(value.GetInt64());
      return writer.Uint64(value.GetUint64());
    case rapidjson::kObjectType:
    case rapidjson::kArrayType:
      break;
  }
  open.push_back(&value);
  next.push_back(0);
  return value.IsObject() ? writer.StartObject() : writer.StartArray();
}

// Writes `root` and everything below it. False when the writer refuses a
// value; the output then holds what was written before.
template <typename Writer>
bool WriteJsonTree(Writer& writer, const JsonValue& root) {
  std::vector<const JsonValue*> open;
  std::vector<rapidjson::SizeType> next;
  if (!WriteJsonValueStart(writer, root, open, next)) return false;
  while (!open.empty()) {
    const JsonValue& container = *open.back();
    const rapidjson::SizeType index = next.back()++;
    bool written = true;
    if (container.IsObject()) {
      if (index == container.MemberCount()) {
        written = writer.EndObject(container.MemberCount());
        open.pop_back();
        next.pop_back();
      } else {
        const JsonMember& member = container.MemberBegin()[index];
        written = WriteJsonString(writer, member.name) && WriteJsonValueStart(writer, member.value, open, next);
      }
    } else if (index == container.Size()) {
      written = writer.EndArray(container.Size());
      open.pop_back();
      next.pop_back();
    } else {
      written = WriteJsonValueStart(writer, container[index], open, next);
    }
    if (!written) return false;
  }
  return true;
}

// Writes `root` as compact UTF-16 text at the end of `text`.
inline bool WriteJsonText(const JsonValue& root, JsonTextBuffer& text) {
  rapidjson::Writer<JsonTextBuffer, JsonEncodingUtf16, JsonEncodingUtf16, JsonAllocator> writer(text);
  return WriteJsonTree(writer, root);
}

template <typename TargetEncoding, bool kIndented, typename ByteStream>
bool WriteJsonInEncoding(const JsonValue& root, ByteStream& bytes, bool byte_order_mark) {
  using EncodedStream = rapidjson::EncodedOutputStream<TargetEncoding, ByteStream>;
  using Compact = rapidjson::Writer<EncodedStream, JsonEncodingUtf16, TargetEncoding, JsonAllocator>;
  using Indented = rapidjson::PrettyWriter<EncodedStream, JsonEncodingUtf16, TargetEncoding, JsonAllocator>;
  EncodedStream encoded(bytes, byte_order_mark);
  std::conditional_t<kIndented, Indented, Compact> writer(encoded);
  return WriteJsonTree(writer, root);
}

inline bool IsKnownEncoding(std::int32_t encoding) {
  return encoding == kJsonEncodingAscii || encoding == kJsonEncodingUtf16LE || encoding == kJsonEncodingUtf8 ||
         encoding == kJsonEncodingUtf16BE;
}

// Writes `root` as bytes in one of the JsonEncoding codes (false for
// another code), with the encoding's byte-order mark when asked for (ASCII
// has none). ByteStream is a RapidJSON byte output stream (Put, Flush).
template <bool kIndented, typename ByteStream>
bool WriteJsonBytes(const JsonValue& root, std::int32_t encoding, bool byte_order_mark, ByteStream& bytes) {
  switch (encoding) {
    case kJsonEncodingAscii:
      return WriteJsonInEncoding<rapidjson::ASCII<>, kIndented>(root, bytes, false);
    case kJsonEncodingUtf16LE:
      return WriteJsonInEncoding<rapidjson::UTF16LE<char16_t>, kIndented>(root, bytes, byte_order_mark);
    case kJsonEncodingUtf8:
      return WriteJsonInEncoding<rapidjson::UTF8<>, kIndented>(root, bytes, byte_order_mark);
    case kJsonEncodingUtf16BE:
      return WriteJsonInEncoding<rapidjson::UTF16BE<char16_t>, kIndented>(root, bytes, byte_order_mark);
    default:
      return false;
  }
}

}  // namespace TQJSON
