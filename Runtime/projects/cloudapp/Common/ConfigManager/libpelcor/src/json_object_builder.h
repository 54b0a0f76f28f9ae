// JsonObjectBuilder: appends members or array elements to one value of a
// document while a writer builds it.
//
// A builder either owns a new empty object or array (its target until it
// is moved into another value with AddValue or PushValue, which leaves it
// empty) or appends to a value of the document that it is given. Every
// append goes at the end of the target: no check for an existing member of
// the same name, so a repeated name gives two members in that order.
// Names and strings are copied into the document, whose allocator every new
// value uses. Member operations need an object target, element operations
// an array (RapidJsonAssertion otherwise). One thread at a time.
#pragma once

#include <cstdint>

#include "json_document.h"
#include "platform/text_types.h"

class JsonObjectBuilder {
 public:
  enum class Kind { kObject, kArray };

  JsonObjectBuilder(JsonDocument& document, Kind kind);
  JsonObjectBuilder(JsonDocument& document, JsonValue& target);
  JsonObjectBuilder(const JsonObjectBuilder&) = delete;
  JsonObjectBuilder& operator=(const JsonObjectBuilder&) = delete;

  JsonValue& Target() { return *target_; }

  void AddString(platform::WStringView name, platform::WStringView text);
  void AddNull(platform::WStringView name);
  void AddBool(platform::WStringView name, bool value);
  void AddInt(platform::WStringView name, std::int32_t value);
  void AddUint(platform::WStringView name, std::uint32_t value);
  void AddUShort(platform::WStringView name, std::uint16_t value);
  // The member "UpdateStrategy".
  void AddUpdateStrategy(std::int32_t value);
  // The other builder's target, moved.
  void AddValue(platform::WStringView name, JsonObjectBuilder& other);

  void PushString(platform::WStringView text);
  void PushUint(std::uint32_t value);
  void PushValue(JsonObjectBuilder& other);

 private:
  void AddMember(platform::WStringView name, JsonValue& value);

  JsonAllocator& allocator_;
  JsonValue own_;
  JsonValue* target_;
};
