#include "document_copy.h"

#include <vector>

namespace TQJSON {
namespace {

// A container being copied: its item on each side and the next child.
struct Frame {
  JsonItem from;
  JsonItem to;
  bool object;
  std::int32_t next;
  std::int32_t count;
};

// Adds a value under `key` (a member) or at the end (an element, null key).
template <typename Value>
std::int32_t AddValue(IJsonGenerator& writer, JsonItem to, const char16_t* key, Value value,
                      std::int32_t (IJsonGenerator::*member)(JsonItem, const char16_t*, Value, JsonItem*),
                      std::int32_t (IJsonGenerator::*element)(JsonItem, Value, JsonItem*), JsonItem* added) {
  return key != nullptr ? (writer.*member)(to, key, value, added) : (writer.*element)(to, value, added);
}

// Reads the value of `from` with `read` and adds it.
template <typename Value>
std::int32_t CopyValue(IJsonParser& reader, JsonItem from, std::int32_t (IJsonParser::*read)(JsonItem, Value*),
                       IJsonGenerator& writer, JsonItem to, const char16_t* key,
                       std::int32_t (IJsonGenerator::*member)(JsonItem, const char16_t*, Value, JsonItem*),
                       std::int32_t (IJsonGenerator::*element)(JsonItem, Value, JsonItem*), JsonItem* added) {
  Value value{};
  const std::int32_t result = (reader.*read)(from, &value);
  return result == kJsonSuccess ? AddValue(writer, to, key, value, member, element, added) : result;
}

std::int32_t CopyNode(IJsonParser& reader, JsonItem from, std::int32_t type, IJsonGenerator& writer, JsonItem to,
                      const char16_t* key, JsonItem* added) {
  using G = IJsonGenerator;
  using P = IJsonParser;
  switch (type) {
    case kJsonTypeObject:
      return key != nullptr ? writer.AddObjectMember(to, key, added) : writer.AppendObject(to, added);
    case kJsonTypeArray:
      return key != nullptr ? writer.AddArrayMember(to, key, added) : writer.AppendArray(to, added);
    case kJsonTypeNull:
      return key != nullptr ? writer.AddNullMember(to, key, added) : writer.AppendNull(to, added);
    case kJsonTypeString:
      return CopyValue(reader, from, &P::GetString, writer, to, key, &G::AddStringMember, &G::AppendString, added);
    case kJsonTypeBoolean:
      return CopyValue(reader, from, &P::GetBoolean, writer, to, key, &G::AddBooleanMember, &G::AppendBoolean, added);
    case kJsonTypeInt32:
      return CopyValue(reader, from, &P::GetInt, writer, to, key, &G::AddIntMember, &G::AppendInt, added);
    case kJsonTypeUInt32:
      return CopyValue(reader, from, &P::GetUInt, writer, to, key, &G::AddUIntMember, &G::AppendUInt, added);
    case kJsonTypeInt64:
      return CopyValue(reader, from, &P::GetInt64, writer, to, key, &G::AddInt64Member, &G::AppendInt64, added);
    case kJsonTypeUInt64:
      return CopyValue(reader, from, &P::GetUInt64, writer, to, key, &G::AddUInt64Member, &G::AppendUInt64, added);
    default:
      return CopyValue(reader, from, &P::GetDouble, writer, to, key, &G::AddDoubleMember, &G::AppendDouble, added);
  }
}

}  // namespace

std::string CopyDocument(IJsonParser& reader, IJsonGenerator& writer) {
  JsonItem from = 0;
  JsonItem to = 0;
  std::int32_t type = 0;
  std::int32_t count = 0;
  if (reader.GetRoot(&from, &type) != kJsonSuccess) return "the reader has no root";
  const bool object = type == kJsonTypeObject;
  if ((object ? writer.CreateRootObject(&to) : writer.CreateRootArray(&to)) != kJsonSuccess) return "no root created";
  reader.GetChildCount(from, &count);
  std::vector<Frame> open{{from, to, object, 0, count}};
  while (!open.empty()) {
    Frame& frame = open.back();
    if (frame.next == frame.count) {
      open.pop_back();
      continue;
    }
    const std::int32_t index = frame.next++;
    const char16_t* key = nullptr;
    if (frame.object && reader.GetMemberName(frame.from, index, &key) != kJsonSuccess) return "no member name";
    JsonItem child = 0;
    JsonItem added = 0;
    if (reader.GetChild(frame.from, index, &child, &type) != kJsonSuccess) return "no child";
    if (CopyNode(reader, child, type, writer, frame.to, key, &added) != kJsonSuccess) return "a value was refused";
    if (type == kJsonTypeObject || type == kJsonTypeArray) {
      reader.GetChildCount(child, &count);
      open.push_back({child, added, type == kJsonTypeObject, 0, count});
    }
  }
  return "";
}

}  // namespace TQJSON
