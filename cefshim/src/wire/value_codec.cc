#include "wire/value_codec.h"

#include <utility>
#include <vector>

#include "values/binary_value_impl.h"
#include "values/dictionary_value_impl.h"
#include "values/list_value_impl.h"

namespace cefshim::wire {
namespace {

bool WriteValue(ByteWriter& writer, const StoredValue& value, int depth);

bool WriteList(ByteWriter& writer, CefListValue& list, int depth) {
  if (depth > kMaxValueDepth) return false;
  const auto& items = static_cast<CefListValueImpl&>(list).items();
  writer.U8(kTagList);
  writer.U32(static_cast<std::uint32_t>(items.size()));
  for (const StoredValue& item : items) {
    if (!WriteValue(writer, item, depth)) return false;
  }
  return true;
}

bool WriteDictionary(ByteWriter& writer, CefDictionaryValue& dictionary, int depth) {
  if (depth > kMaxValueDepth) return false;
  const auto& entries = static_cast<CefDictionaryValueImpl&>(dictionary).entries();
  writer.U8(kTagDictionary);
  writer.U32(static_cast<std::uint32_t>(entries.size()));
  for (const auto& [key, value] : entries) {
    writer.String(key);
    if (!WriteValue(writer, value, depth)) return false;
  }
  return true;
}

// `depth` is that of the container holding `value`.
bool WriteValue(ByteWriter& writer, const StoredValue& value, int depth) {
  switch (value.index()) {
    case kTagNull:
      writer.U8(kTagNull);
      return true;
    case kTagBool:
      writer.U8(kTagBool);
      writer.U8(std::get<bool>(value) ? 1 : 0);
      return true;
    case kTagInt:
      writer.U8(kTagInt);
      writer.I32(std::get<int>(value));
      return true;
    case kTagDouble:
      writer.U8(kTagDouble);
      writer.F64(std::get<double>(value));
      return true;
    case kTagString:
      writer.U8(kTagString);
      writer.String(std::get<std::u16string>(value));
      return true;
    case kTagBinary: {
      const auto& bytes = static_cast<CefBinaryValueImpl&>(*std::get<CefRefPtr<CefBinaryValue>>(value)).bytes();
      writer.U8(kTagBinary);
      writer.U32(static_cast<std::uint32_t>(bytes.size()));
      writer.Bytes(bytes.data(), bytes.size());
      return true;
    }
    case kTagDictionary:
      return WriteDictionary(writer, *std::get<CefRefPtr<CefDictionaryValue>>(value), depth + 1);
    default:
      return WriteList(writer, *std::get<CefRefPtr<CefListValue>>(value), depth + 1);
  }
}

bool ReadValue(ByteReader& reader, int depth, StoredValue* value);

bool ReadList(ByteReader& reader, int depth, StoredValue* value) {
  std::uint32_t count;
  // Every value takes at least its tag byte.
  if (depth > kMaxValueDepth || !reader.U32(&count) || count > reader.remaining()) return false;
  std::vector<StoredValue> items(count);
  for (StoredValue& item : items) {
    if (!ReadValue(reader, depth, &item)) return false;
  }
  *value = CefRefPtr<CefListValue>(new CefListValueImpl(std::move(items)));
  return true;
}

bool ReadDictionary(ByteReader& reader, int depth, StoredValue* value) {
  std::uint32_t count;
  if (depth > kMaxValueDepth || !reader.U32(&count)) return false;
  StoredEntries entries;
  for (std::uint32_t i = 0; i < count; ++i) {
    std::u16string key;
    StoredValue entry;
    if (!reader.String(&key) || !ReadValue(reader, depth, &entry)) return false;
    entries.insert_or_assign(std::move(key), std::move(entry));
  }
  *value = CefRefPtr<CefDictionaryValue>(new CefDictionaryValueImpl(std::move(entries)));
  return true;
}

bool ReadBinary(ByteReader& reader, StoredValue* value) {
  std::uint32_t size;
  const std::uint8_t* data;
  if (!reader.U32(&size) || !reader.Bytes(size, &data)) return false;
  *value = CefRefPtr<CefBinaryValue>(new CefBinaryValueImpl(std::vector<std::uint8_t>(data, data + size)));
  return true;
}

// Reads a fixed-size primitive with `read` and stores it as T.
template <class T, class Wire>
bool ReadPrimitive(ByteReader& reader, bool (ByteReader::*read)(Wire*), StoredValue* value) {
  Wire wire;
  if (!(reader.*read)(&wire)) return false;
  *value = static_cast<T>(wire);
  return true;
}

// `depth` is that of the container holding the value.
bool ReadValue(ByteReader& reader, int depth, StoredValue* value) {
  std::uint8_t tag;
  if (!reader.U8(&tag)) return false;
  switch (tag) {
    case kTagNull:
      *value = std::monostate();
      return true;
    case kTagBool: {
      std::uint8_t flag;
      if (!reader.U8(&flag) || flag > 1) return false;
      *value = flag == 1;
      return true;
    }
    case kTagInt:
      return ReadPrimitive<int>(reader, &ByteReader::I32, value);
    case kTagDouble:
      return ReadPrimitive<double>(reader, &ByteReader::F64, value);
    case kTagString: {
      std::u16string text;
      if (!reader.String(&text)) return false;
      *value = std::move(text);
      return true;
    }
    case kTagBinary:
      return ReadBinary(reader, value);
    case kTagDictionary:
      return ReadDictionary(reader, depth + 1, value);
    case kTagList:
      return ReadList(reader, depth + 1, value);
    default:
      return false;
  }
}

}  // namespace

bool WriteListValue(ByteWriter& writer, CefListValue& list) {
  return WriteList(writer, list, 1);
}

CefRefPtr<CefListValue> ReadListValue(ByteReader& reader) {
  std::uint8_t tag;
  if (!reader.U8(&tag) || tag != kTagList) return nullptr;
  StoredValue list;
  return ReadList(reader, 1, &list) ? std::get<CefRefPtr<CefListValue>>(list) : nullptr;
}

}  // namespace cefshim::wire
