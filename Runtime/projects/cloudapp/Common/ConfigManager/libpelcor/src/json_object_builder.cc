#include "json_object_builder.h"

namespace {

JsonValue CopyString(platform::WStringView text, JsonAllocator& allocator) {
  const char16_t* data = text.empty() ? u"" : text.data();
  return JsonValue(data, static_cast<rapidjson::SizeType>(text.size()), allocator);
}

}  // namespace

JsonObjectBuilder::JsonObjectBuilder(JsonDocument& document, Kind kind)
    : allocator_(document.Allocator()),
      own_(kind == Kind::kObject ? rapidjson::kObjectType : rapidjson::kArrayType),
      target_(&own_) {}

JsonObjectBuilder::JsonObjectBuilder(JsonDocument& document, JsonValue& target)
    : allocator_(document.Allocator()), target_(&target) {}

void JsonObjectBuilder::AddMember(platform::WStringView name, JsonValue& value) {
  JsonValue key = CopyString(name, allocator_);
  target_->AddMember(key, value, allocator_);
}

void JsonObjectBuilder::AddString(platform::WStringView name, platform::WStringView text) {
  JsonValue value = CopyString(text, allocator_);
  AddMember(name, value);
}

void JsonObjectBuilder::AddNull(platform::WStringView name) {
  JsonValue json;
  AddMember(name, json);
}

void JsonObjectBuilder::AddBool(platform::WStringView name, bool value) {
  JsonValue json(value);
  AddMember(name, json);
}

void JsonObjectBuilder::AddInt(platform::WStringView name, std::int32_t value) {
  JsonValue json(value);
  AddMember(name, json);
}

void JsonObjectBuilder::AddUint(platform::WStringView name, std::uint32_t value) {
  JsonValue json(value);
  AddMember(name, json);
}

void JsonObjectBuilder::AddUShort(platform::WStringView name, std::uint16_t value) {
  AddUint(name, value);
}

void JsonObjectBuilder::AddUpdateStrategy(std::int32_t value) { AddInt(u"UpdateStrategy", value); }

void JsonObjectBuilder::AddValue(platform::WStringView name, JsonObjectBuilder& other) {
  AddMember(name, other.Target());
}

void JsonObjectBuilder::PushString(platform::WStringView text) {
  target_->PushBack(CopyString(text, allocator_), allocator_);
}

void JsonObjectBuilder::PushUint(std::uint32_t value) { target_->PushBack(JsonValue(value), allocator_); }

void JsonObjectBuilder::PushValue(JsonObjectBuilder& other) { target_->PushBack(other.Target(), allocator_); }
