// The runtime platforms as the configuration helper's texts carry them: an
// array of two numbers, [bit 0 of the value, 1 when the value is above 1
// else 0], read back as first + 2 x second. A missing array or element, or
// one that is not an integer, counts as 0. One thread at a time per
// document.
#pragma once

#include <cstdint>

#include "json_document.h"
#include "json_object_builder.h"
#include "platform/text_types.h"

void WriteRuntimePlatformPair(JsonObjectBuilder& parent, JsonDocument& document, platform::WStringView name,
                              std::int32_t platforms);

std::int32_t ReadRuntimePlatformPair(const JsonValue& parent, platform::WStringView name);
