// The variant record exchanged by IJsonParser::GetVariant* and
// IJsonGenerator::AddVariant*: laid out as the platform's VARIANT (a 16-bit
// type tag, three reserved words, then 8 bytes of value). Only the tag and
// the value are read or written.
#pragma once

#include <cstddef>
#include <cstdint>

namespace TQJSON {

// The two tags the library understands.
constexpr std::uint16_t kJsonVariantInt64 = 20;        // value.int64_value
constexpr std::uint16_t kJsonVariantTextRef = 0x4000;  // value.text, NUL-terminated UTF-16

struct JsonVariant {
  std::uint16_t type = 0;
  std::uint16_t reserved1 = 0;
  std::uint16_t reserved2 = 0;
  std::uint16_t reserved3 = 0;
  union {
    std::int64_t int64_value;
    const char16_t* text;
  } value{};
};

static_assert(sizeof(JsonVariant) == 16, "JsonVariant must keep the VARIANT layout");
static_assert(offsetof(JsonVariant, value) == 8, "JsonVariant's value sits at offset 8");

}  // namespace TQJSON
