// The JSON document of libpelcor: RapidJSON's UTF-16 DOM with a memory-pool
// allocator, plus the error of its last parse.
//
// Every allocation failure inside RapidJSON throws std::bad_alloc and every
// failed RapidJSON assertion throws RapidJsonAssertion; callers at the
// library boundary catch them. Parsing is strict JSON (no comments, no
// trailing commas, no NaN or Infinity), iterative, and refuses documents
// nested deeper than kMaxJsonDepth, so no later walk of a parsed document
// can exhaust the stack. A document serves one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "rapidjson_setup.h"

// Base allocator that throws on exhaustion (RapidJSON 1.1 often does not
// check for NULL). Malloc(0) still gives NULL, as RapidJSON expects.
class ThrowingAllocator {
 public:
  static const bool kNeedFree = true;
  void* Malloc(std::size_t size);
  void* Realloc(void* original, std::size_t original_size, std::size_t new_size);
  static void Free(void* block) { std::free(block); }
};

using JsonEncoding = rapidjson::UTF16<char16_t>;
using JsonAllocator = rapidjson::MemoryPoolAllocator<ThrowingAllocator>;
using JsonValue = rapidjson::GenericValue<JsonEncoding, JsonAllocator>;
using JsonDom = rapidjson::GenericDocument<JsonEncoding, JsonAllocator, ThrowingAllocator>;

// Arrays and objects may nest this deep; a deeper document fails to parse
// with the parser's handler error (code 16).
constexpr std::size_t kMaxJsonDepth = 512;

// Error codes that the library adds to the parser's own (0-17).
enum JsonLibraryError : int {
  kJsonErrorNullText = 18,
  kJsonErrorNullFileName = 19,
  kJsonErrorNoFile = 20,
  kJsonErrorRootNotObject = 22,
};

class JsonDocument {
 public:
  JsonDocument() = default;
  JsonDocument(const JsonDocument&) = delete;
  JsonDocument& operator=(const JsonDocument&) = delete;

  JsonValue& Root() { return dom_; }
  const JsonValue& Root() const { return dom_; }
  JsonAllocator& Allocator() { return dom_.GetAllocator(); }

  // The error of the last parse: a parser code (0 none, 1-17) or a
  // JsonLibraryError, and the offset where it was found, in units of the
  // parsed stream.
  int ParseErrorCode() const { return error_code_; }
  std::size_t ParseErrorOffset() const { return error_offset_; }
  void SetParseError(int code, std::size_t offset);

  // Parses a stream of SourceEncoding, transcoding to UTF-16. On success the
  // root becomes the parsed value; on failure the root keeps its value and
  // the error is recorded. A zero character ends the input.
  template <typename SourceEncoding, typename InputStream>
  bool Parse(InputStream& stream);

 private:
  JsonDom dom_;
  int error_code_ = 0;
  std::size_t error_offset_ = 0;
};

// Forwards the parser's events to a DOM and stops the parse when arrays and
// objects nest deeper than kMaxJsonDepth.
class DepthLimitedHandler {
 public:
  using Ch = JsonEncoding::Ch;
  using SizeType = rapidjson::SizeType;

  explicit DepthLimitedHandler(JsonDom& dom) : dom_(dom) {}

  bool Null() { return dom_.Null(); }
  bool Bool(bool value) { return dom_.Bool(value); }
  bool Int(int value) { return dom_.Int(value); }
  bool Uint(unsigned value) { return dom_.Uint(value); }
  bool Int64(std::int64_t value) { return dom_.Int64(value); }
  bool Uint64(std::uint64_t value) { return dom_.Uint64(value); }
  bool Double(double value) { return dom_.Double(value); }
  bool RawNumber(const Ch* text, SizeType length, bool copy) { return dom_.RawNumber(text, length, copy); }
  bool String(const Ch* text, SizeType length, bool copy) { return dom_.String(text, length, copy); }
  bool Key(const Ch* text, SizeType length, bool copy) { return dom_.Key(text, length, copy); }
  bool StartObject() { return Enter() && dom_.StartObject(); }
  bool EndObject(SizeType members) { return Leave() && dom_.EndObject(members); }
  bool StartArray() { return Enter() && dom_.StartArray(); }
  bool EndArray(SizeType elements) { return Leave() && dom_.EndArray(elements); }

 private:
  bool Enter() { return ++depth_ <= kMaxJsonDepth; }
  bool Leave() {
    --depth_;
    return true;
  }

  JsonDom& dom_;
  std::size_t depth_ = 0;
};

template <typename SourceEncoding, typename InputStream>
bool JsonDocument::Parse(InputStream& stream) {
  rapidjson::GenericReader<SourceEncoding, JsonEncoding, ThrowingAllocator> reader;
  rapidjson::ParseResult result;
  auto generate = [&](JsonDom& dom) {
    DepthLimitedHandler handler(dom);
    result = reader.template Parse<rapidjson::kParseIterativeFlag>(stream, handler);
    return !result.IsError();
  };
  try {
    dom_.Populate(generate);
  } catch (const RapidJsonAssertion&) {
    // The only assertion that input can reach while parsing is the UTF-16
    // encoder refusing a lone surrogate (an escaped "\uDC00", or a surrogate
    // code point in UTF-32 input).
    result.Set(rapidjson::kParseErrorStringUnicodeSurrogateInvalid, stream.Tell());
  }
  SetParseError(result.Code(), result.Offset());
  return !result.IsError();
}
