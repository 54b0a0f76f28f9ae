#include "json_text_reader.h"

#include <string>
#include <string_view>

#include "json_input_stream.h"
#include "json_double_text.h"
#include "platform/codepage.h"
#include "tqjson/json_allocator.h"
// After the configuration in json_document.h.
#include <rapidjson/reader.h>

namespace TQJSON {
namespace {

constexpr unsigned kParseFlags = rapidjson::kParseIterativeFlag | rapidjson::kParseNanAndInfFlag;

// Whether a unit can be part of a number's text: digits, signs, the
// decimal point, the exponent mark and the letters of NaN and Infinity.
template <typename Unit>
bool IsNumberCharacter(Unit unit) {
  const auto c = static_cast<std::uint32_t>(unit);
  if (c >= '0' && c <= '9') return true;
  switch (c) {
    case '+': case '-': case '.': case 'e': case 'E': case 'I': case 'N': case 'a': case 'f': case 'i': case 'n':
    case 't': case 'y':
      return true;
    default:
      return false;
  }
}

// The units of "\uDC00".
constexpr std::size_t kUnicodeEscapeLength = 6;

bool IsSurrogate(unsigned code_point) { return code_point >= 0xD800 && code_point <= 0xDFFF; }

// Thrown by DocumentEncoding for an escaped surrogate that has no partner.
struct LoneSurrogateEscape {};

// The document's UTF-16 as the reader's target. The decoders refuse raw
// surrogates and the reader joins an escaped high surrogate with the low
// one that must follow, so a surrogate that reaches Encode is an escaped
// low surrogate on its own, which UTF-16 cannot hold.
struct DocumentEncoding : JsonEncodingUtf16 {
  template <typename OutputStream>
  static void Encode(OutputStream& os, unsigned code_point) {
    if (IsSurrogate(code_point)) throw LoneSurrogateEscape();
    JsonEncodingUtf16::Encode(os, code_point);
  }
};

// UTF-32 that refuses surrogate code points, as the other decoders do.
struct StrictUtf32 : rapidjson::UTF32<char32_t> {
  template <typename InputStream>
  static bool Decode(InputStream& is, unsigned* code_point) {
    const unsigned unit = static_cast<unsigned>(is.Take());
    *code_point = unit;
    return unit <= 0x10FFFF && !IsSurrogate(unit);
  }
};

// Passes the reader's events to the document, doing here what RapidJSON
// 1.1 gets wrong:
// - objects and arrays nest at most kMaxJsonNesting levels (the bracket
//   one level too deep stops the parse with kParseErrorTermination);
// - a number that RapidJSON hands over as a double is read again from its
//   text by ReadJsonDouble, to the nearest double: RapidJSON's own
//   conversion is approximate (its exact form turns a zero with a large
//   exponent, "0e-40", into garbage) and reads on after NaN and the
//   infinities ("Inf.5" would become 0.5). Integers it converts exactly. A number refused there stops the parse; refusal() is then
//   its parse-error code (the reader's offset is the number's start).
template <typename Stream>
class DocumentBuilder {
 public:
  using Ch = char16_t;

  DocumentBuilder(JsonDocument& document, const Stream& stream) : document_(document), stream_(stream) {}

  bool Null() { return document_.Null(); }
  bool Bool(bool value) { return document_.Bool(value); }
  bool Int(int value) { return document_.Int(value); }
  bool Uint(unsigned value) { return document_.Uint(value); }
  bool Int64(std::int64_t value) { return document_.Int64(value); }
  bool Uint64(std::uint64_t value) { return document_.Uint64(value); }
  bool Double(double) {
    const JsonDouble number = ReadJsonDouble(stream_.TextBefore(IsNumberCharacter<typename Stream::Ch>, &number_text_));
    switch (number.outcome) {
      case JsonDouble::kRead:
        return document_.Double(number.value);
      case JsonDouble::kInvalid:
        refusal_ = rapidjson::kParseErrorValueInvalid;
        return false;
      case JsonDouble::kTooBig:
        break;
    }
    refusal_ = rapidjson::kParseErrorNumberTooBig;
    return false;
  }
  bool RawNumber(const Ch* text, rapidjson::SizeType length, bool copy) {
    return document_.RawNumber(text, length, copy);
  }
  bool String(const Ch* text, rapidjson::SizeType length, bool copy) {
    return document_.String(text, length, copy);
  }
  bool Key(const Ch* text, rapidjson::SizeType length, bool copy) { return document_.Key(text, length, copy); }
  bool StartObject() { return Enter() && document_.StartObject(); }
  bool EndObject(rapidjson::SizeType members) {
    --depth_;
    return document_.EndObject(members);
  }
  bool StartArray() { return Enter() && document_.StartArray(); }
  bool EndArray(rapidjson::SizeType elements) {
    --depth_;
    return document_.EndArray(elements);
  }

  rapidjson::ParseErrorCode refusal() const { return refusal_; }

 private:
  bool Enter() { return ++depth_ <= kMaxJsonNesting; }

  JsonDocument& document_;
  const Stream& stream_;
  unsigned depth_ = 0;
  std::string number_text_;
  rapidjson::ParseErrorCode refusal_ = rapidjson::kParseErrorNone;
};

// RapidJSON's reader, kept apart so that its loops are compiled the same
// whatever surrounds the call.
template <typename SourceEncoding, typename Stream, typename Handler>
[[gnu::noinline]] rapidjson::ParseResult Read(Stream& stream, Handler& handler) {
  rapidjson::GenericReader<SourceEncoding, DocumentEncoding, JsonAllocator> reader;
  return reader.template Parse<kParseFlags>(stream, handler);
}

// Parses the stream to its end into the document.
template <typename SourceEncoding, typename Stream>
JsonParseOutcome ParseStream(JsonDocument& document, Stream stream, std::size_t end) {
  JsonParseOutcome outcome;
  auto parse = [&](JsonDocument& target) {
    DocumentBuilder<Stream> builder(target, stream);
    const rapidjson::ParseResult result = Read<SourceEncoding>(stream, builder);
    if (result.IsError()) {
      outcome.code = builder.refusal() != rapidjson::kParseErrorNone ? builder.refusal() : result.Code();
      outcome.offset = result.Offset();
    } else if (stream.Tell() != end) {
      outcome.code = rapidjson::kParseErrorDocumentRootNotSingular;
      outcome.offset = stream.Tell();
    }
    return outcome.code == 0;
  };
  try {
    document.Populate(parse);
  } catch (const LoneSurrogateEscape&) {
    outcome.code = rapidjson::kParseErrorStringUnicodeSurrogateInvalid;
    outcome.offset = stream.Tell() - kUnicodeEscapeLength * sizeof(typename Stream::Ch);
  }
  return outcome;
}

template <typename SourceEncoding, typename Unit, UnitByteOrder kOrder>
JsonParseOutcome ParseUnits(JsonDocument& document, const std::uint8_t* bytes, std::size_t start, std::size_t size) {
  return ParseStream<SourceEncoding>(document, JsonInputStream<Unit, kOrder>(bytes, start, bytes + size), size);
}

}  // namespace

JsonInputForm DetectJsonEncoding(const std::uint8_t* bytes, std::size_t size) {
  using E = JsonInputEncoding;
  if (size < 4) return {E::kUtf8, 0};
  const std::uint8_t* c = bytes;
  if (c[0] == 0x00 && c[1] == 0x00 && c[2] == 0xFE && c[3] == 0xFF) return {E::kUtf32BE, 4};
  if (c[0] == 0xFF && c[1] == 0xFE && c[2] == 0x00 && c[3] == 0x00) return {E::kUtf32LE, 4};
  if (c[0] == 0xFE && c[1] == 0xFF) return {E::kUtf16BE, 2};
  if (c[0] == 0xFF && c[1] == 0xFE) return {E::kUtf16LE, 2};
  if (c[0] == 0xEF && c[1] == 0xBB && c[2] == 0xBF) return {E::kUtf8, 3};
  const int pattern = (c[0] ? 1 : 0) | (c[1] ? 2 : 0) | (c[2] ? 4 : 0) | (c[3] ? 8 : 0);
  switch (pattern) {
    case 0x08:
      return {E::kUtf32BE, 0};
    case 0x0A:
      return {E::kUtf16BE, 0};
    case 0x01:
      return {E::kUtf32LE, 0};
    case 0x05:
      return {E::kUtf16LE, 0};
    default:
      return {E::kUtf8, 0};
  }
}

JsonParseOutcome ParseJsonBytes(JsonDocument& document, const void* bytes, std::size_t size) {
  using Order = UnitByteOrder;
  const auto* data = static_cast<const std::uint8_t*>(bytes);
  const JsonInputForm form = DetectJsonEncoding(data, size);
  const std::size_t start = form.byte_order_mark_size;
  switch (form.encoding) {
    case JsonInputEncoding::kUtf16LE:
      return ParseUnits<rapidjson::UTF16<char16_t>, char16_t, Order::kLittleEndian>(document, data, start, size);
    case JsonInputEncoding::kUtf16BE:
      return ParseUnits<rapidjson::UTF16<char16_t>, char16_t, Order::kBigEndian>(document, data, start, size);
    case JsonInputEncoding::kUtf32LE:
      return ParseUnits<StrictUtf32, char32_t, Order::kLittleEndian>(document, data, start, size);
    case JsonInputEncoding::kUtf32BE:
      return ParseUnits<StrictUtf32, char32_t, Order::kBigEndian>(document, data, start, size);
    case JsonInputEncoding::kUtf8:
      break;
  }
  return ParseUnits<rapidjson::UTF8<char>, char, Order::kNative>(document, data, start, size);
}

JsonParseOutcome ParseJsonText(JsonDocument& document, const char16_t* text, std::size_t length) {
  const std::size_t start = length > 0 && text[0] == u'\uFEFF' ? 1 : 0;
  JsonParseOutcome outcome = ParseUnits<rapidjson::UTF16<char16_t>, char16_t, UnitByteOrder::kNative>(
      document, reinterpret_cast<const std::uint8_t*>(text), start * sizeof(char16_t), length * sizeof(char16_t));
  outcome.offset /= sizeof(char16_t);
  return outcome;
}

JsonParseOutcome ParseJsonBytesOrAnsi(JsonDocument& document, const void* bytes, std::size_t size) {
  const JsonParseOutcome outcome = ParseJsonBytes(document, bytes, size);
  if (outcome.code != rapidjson::kParseErrorStringInvalidEncoding ||
      DetectJsonEncoding(static_cast<const std::uint8_t*>(bytes), size).encoding != JsonInputEncoding::kUtf8) {
    return outcome;
  }
  const platform::WString text = platform::AnsiToUtf16(std::string_view(static_cast<const char*>(bytes), size));
  JsonParseOutcome ansi = ParseJsonText(document, text.data(), text.size());
  ansi.read_as_ansi = true;
  return ansi;
}

}  // namespace TQJSON
