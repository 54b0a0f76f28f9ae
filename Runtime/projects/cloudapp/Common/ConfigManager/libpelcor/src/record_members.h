// Visitors that move the scalar members of a JSON object to and from the
// fields of a caller record. A document lists its members once, in writing
// order, as calls on a visitor:
//   Text(name, text field)
//   Flag(name, flag, default)
//   Int(name, int32, default)
//   Uint(name, int32)     written as an unsigned number; default 0
//   UShort(name, uint16)  default 0
//   NegatedFlag(name, flag, member default)
//                         a boolean member that says the opposite of the
//                         field: written true when the field is 0; read as
//                         0 for true and 1 otherwise, an absent member
//                         counting as the member default
// and runs that list with a RecordMemberReader (fields from an object) or a
// RecordMemberWriter (members appended to an object), so reader and writer
// agree member for member. Reading is type-checked (json_members.h): an
// absent member or one of another JSON type gives the default, texts are
// cut to their fields, numbers keep their low 32 (16) bits.
#pragma once

#include <cstddef>
#include <cstdint>

#include "json_document.h"
#include "json_members.h"
#include "json_object_builder.h"
#include "libpelcor/fixed_record.h"
#include "record_field.h"

class RecordMemberReader {
 public:
  explicit RecordMemberReader(const JsonValue& object) : object_(object) {}

  template <std::size_t N>
  void Text(const char16_t* name, char16_t (&field)[N]) {
    CopyToField(field, GetStringMember(object_, name));
  }
  void Flag(const char16_t* name, PelcorFlag& field, PelcorFlag fallback) {
    field = GetBoolMember(object_, name, fallback != 0) ? 1 : 0;
  }
  void Int(const char16_t* name, std::int32_t& field, std::int32_t fallback) {
    field = GetIntMember(object_, name, fallback);
  }
  void Uint(const char16_t* name, std::int32_t& field) { field = GetIntMember(object_, name, 0); }
  void UShort(const char16_t* name, std::uint16_t& field) {
    field = static_cast<std::uint16_t>(GetIntMember(object_, name, 0));
  }
  void NegatedFlag(const char16_t* name, std::int32_t& field, bool member_default) {
    field = GetBoolMember(object_, name, member_default) ? 0 : 1;
  }

 protected:
  const JsonValue& object() const { return object_; }

 private:
  const JsonValue& object_;
};

class RecordMemberWriter {
 public:
  explicit RecordMemberWriter(JsonObjectBuilder& object) : object_(object) {}

  template <std::size_t N>
  void Text(const char16_t* name, const char16_t (&field)[N]) {
    object_.AddString(name, FieldText(field));
  }
  void Flag(const char16_t* name, PelcorFlag field, PelcorFlag) { object_.AddBool(name, field != 0); }
  void Int(const char16_t* name, std::int32_t field, std::int32_t) { object_.AddInt(name, field); }
  void Uint(const char16_t* name, std::int32_t field) { object_.AddUint(name, static_cast<std::uint32_t>(field)); }
  void UShort(const char16_t* name, std::uint16_t field) { object_.AddUShort(name, field); }
  void NegatedFlag(const char16_t* name, std::int32_t field, bool) { object_.AddBool(name, field == 0); }

 protected:
  JsonObjectBuilder& object() { return object_; }

 private:
  JsonObjectBuilder& object_;
};
