#include "json_tree_copy.h"

#include <vector>

namespace TQJSON {
namespace {

// A container being copied and the index of its next child.
struct OpenContainer {
  const JsonValue* source;
  rapidjson::SizeType next;
};

// Hands a scalar to the builder, or opens a container. (A document's
// handler accepts every event.)
void StartValue(JsonDocument& builder, const JsonValue& value, std::vector<OpenContainer>& open) {
  switch (value.GetType()) {
    case rapidjson::kNullType:
      builder.Null();
      return;
    case rapidjson::kFalseType:
    case rapidjson::kTrueType:
      builder.Bool(value.GetBool());
      return;
    case rapidjson::kStringType:
      builder.String(value.GetString(), value.GetStringLength(), true);
      return;
    case rapidjson::kNumberType:
      if (value.IsDouble()) {
        builder.Double(value.GetDouble());
      } else if (value.IsInt()) {
        builder.Int(value.GetInt());
      } else if (value.IsUint()) {
        builder.Uint(value.GetUint());
      } else if (value.IsInt64()) {
        builder.Int64(value.GetInt64());
      } else {
        builder.Uint64(value.GetUint64());
      }
      return;
    case rapidjson::kObjectType:
      builder.StartObject();
      break;
    case rapidjson::kArrayType:
      builder.StartArray();
      break;
  }
  open.push_back({&value, 0});
}

// Feeds the builder the events of the whole tree, as a parser would; the
// builder allocates each container's storage once, when it ends.
bool FeedTree(JsonDocument& builder, const JsonValue& root) {
  std::vector<OpenContainer> open;
  StartValue(builder, root, open);
  while (!open.empty()) {
    const JsonValue& container = *open.back().source;
    const rapidjson::SizeType index = open.back().next++;
    if (container.IsObject() && index < container.MemberCount()) {
      const JsonMember& member = container.MemberBegin()[index];
      builder.Key(member.name.GetString(), member.name.GetStringLength(), true);
      StartValue(builder, member.value, open);
    } else if (container.IsArray() && index < container.Size()) {
      StartValue(builder, container[index], open);
    } else {
      if (container.IsObject()) {
        builder.EndObject(container.MemberCount());
      } else {
        builder.EndArray(container.Size());
      }
      open.pop_back();
    }
  }
  return true;
}

}  // namespace

JsonValue CopyJsonTree(const JsonValue& source, JsonPoolAllocator& allocator) {
  JsonDocument builder(&allocator);
  auto feed = [&source](JsonDocument& target) { return FeedTree(target, source); };
  builder.Populate(feed);
  return std::move(static_cast<JsonValue&>(builder));
}

}  // namespace TQJSON
