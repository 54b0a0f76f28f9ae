// Editing members of an existing object in place. The first member of the
// given name (exact, case-sensitive) takes the new value, whatever its
// type was; an object without one gets a new member appended. Strings are
// copied into the document, whose allocator every new value uses. Adding a
// member may move the object's other members: pointers into them are stale
// afterwards. `object` must be an object (RapidJsonAssertion otherwise).
// One thread at a time per document.
#pragma once

#include <cstdint>

#include "json_document.h"
#include "platform/text_types.h"

// The member's value (its old value, or null when just appended).
JsonValue& MemberSlot(JsonDocument& document, JsonValue& object, platform::WStringView name);

void SetIntMember(JsonDocument& document, JsonValue& object, platform::WStringView name, std::int32_t value);
void SetBoolMember(JsonDocument& document, JsonValue& object, platform::WStringView name, bool value);
void SetStringMember(JsonDocument& document, JsonValue& object, platform::WStringView name,
                     platform::WStringView text);

// Makes `value` a copy of the text.
void SetString(JsonDocument& document, JsonValue& value, platform::WStringView text);
