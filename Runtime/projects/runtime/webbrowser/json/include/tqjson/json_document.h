// The RapidJSON types of the library: UTF-16 (char16_t) documents in a
// JsonMemoryPool, and the pointer, text buffer and byte
// buffer types that go with them. Include this header, never RapidJSON's
// own headers first.
#pragma once

#include "tqjson/rapidjson_config.h"
// RapidJSON's headers follow the configuration.
#include <rapidjson/document.h>
#include <rapidjson/memorybuffer.h>
#include <rapidjson/pointer.h>
#include <rapidjson/stringbuffer.h>

#include "tqjson/json_allocator.h"
#include "tqjson/json_memory_pool.h"

namespace TQJSON {

using JsonEncodingUtf16 = rapidjson::UTF16<char16_t>;
using JsonPoolAllocator = JsonMemoryPool;
using JsonDocument = rapidjson::GenericDocument<JsonEncodingUtf16, JsonPoolAllocator, JsonAllocator>;
using JsonValue = JsonDocument::ValueType;
using JsonMember = JsonValue::Member;
using JsonPointer = rapidjson::GenericPointer<JsonValue, JsonAllocator>;
using JsonTextBuffer = rapidjson::GenericStringBuffer<JsonEncodingUtf16, JsonAllocator>;
using JsonByteBuffer = rapidjson::GenericMemoryBuffer<JsonAllocator>;

}  // namespace TQJSON
