// The operations of IJsonGenerator, in interface order, as one list that
// the interface and each class of the writer's chain expand. Every entry is
//   X(category, result type, name, (parameters), (arguments))
// The category tells the facade and the adapter how to pass the call on:
//   ROOT       creates the root: the adapter installs a new implementation
//              first, so every earlier item and handle is gone;
//   FLOATING   a double or float given by item or handle: the adapter stores
//              an integral value in [-2^63, 2^63) as a 64-bit integer;
//   FORMATTED  SaveToFileFormatted: the adapter always asks for compact text;
//   RELEASE    destroys the object and what it owns;
//   PLAIN      everything else: forwarded. The facade's guard turns an
//              escaping exception into kJsonExceptionCaught for every
//              operation but Release.
//
// Shared rules (codes in json_codes.h):
// - The parent of a new value is addressed by item, by path or by handle.
//   Member forms take the key after the parent and need an object; append
//   forms need an array. Checks come in this order: missing parent -2,
//   null key -1, null string -4, null output 0, wrong kind of parent -3.
// - Item forms always add: a key added twice gives two members. They hand
//   out the new value's item, valid until the root is recreated; an item
//   whose value moved (its parent grew) is refused with -2.
// - Path and handle forms hand out handles. A handle names the value's
//   place (its path), resolved again at each use, so it survives growth. A
//   member form whose member already has a handle replaces that member's
//   value in place and hands out the same handle.
// - Paths: "/" is the root; "/a/2" is the second element of the array a,
//   or the member "2" of the object a; "~/" stands for a "/" inside a
//   member name and "~0" for a "~". A path that does not begin with "/" or
//   names nothing gives -10.
// - What saving hands out (text, bytes) stays owned by the writer until the
//   next request of the same kind or Release.
#pragma once

#include <cstdint>

#include "tqjson/json_codes.h"
#include "tqjson/json_variant.h"

// clang-format off
#define TQJSON_GENERATOR_OPERATIONS(X) \
  /* Root creation: an empty object or array. The handle forms hand out handle 1 for the root. */ \
  X(ROOT, std::int32_t, CreateRootObject, (TQJSON::JsonItem* root), (root)) \
  X(ROOT, std::int32_t, CreateRootObjectHandle, (TQJSON::JsonHandle* root), (root)) \
  X(ROOT, std::int32_t, CreateRootArray, (TQJSON::JsonItem* root), (root)) \
  X(ROOT, std::int32_t, CreateRootArrayHandle, (TQJSON::JsonHandle* root), (root)) \
  /* Empty objects. */ \
  X(PLAIN, std::int32_t, AddObjectMember, (TQJSON::JsonItem item, const char16_t* key, TQJSON::JsonItem* added), (item, key, added)) \
  X(PLAIN, std::int32_t, AppendObject, (TQJSON::JsonItem item, TQJSON::JsonItem* added), (item, added)) \
  X(PLAIN, std::int32_t, AddObjectMemberByPath, (const char16_t* path, const char16_t* key, TQJSON::JsonHandle* added), (path, key, added)) \
  X(PLAIN, std::int32_t, AppendObjectByPath, (const char16_t* path, TQJSON::JsonHandle* added), (path, added)) \
  X(PLAIN, std::int32_t, AddObjectMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, TQJSON::JsonHandle* added), (handle, key, added)) \
  X(PLAIN, std::int32_t, AppendObjectByHandle, (TQJSON::JsonHandle handle, TQJSON::JsonHandle* added), (handle, added)) \
  /* Empty arrays. */ \
  X(PLAIN, std::int32_t, AddArrayMember, (TQJSON::JsonItem item, const char16_t* key, TQJSON::JsonItem* added), (item, key, added)) \
  X(PLAIN, std::int32_t, AppendArray, (TQJSON::JsonItem item, TQJSON::JsonItem* added), (item, added)) \
  X(PLAIN, std::int32_t, AddArrayMemberByPath, (const char16_t* path, const char16_t* key, TQJSON::JsonHandle* added), (path, key, added)) \
  X(PLAIN, std::int32_t, AppendArrayByPath, (const char16_t* path, TQJSON::JsonHandle* added), (path, added)) \
  X(PLAIN, std::int32_t, AddArrayMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, TQJSON::JsonHandle* added), (handle, key, added)) \
  X(PLAIN, std::int32_t, AppendArrayByHandle, (TQJSON::JsonHandle handle, TQJSON::JsonHandle* added), (handle, added)) \
  /* Booleans: a nonzero value is true. */ \
  X(PLAIN, std::int32_t, AddBooleanMember, (TQJSON::JsonItem item, const char16_t* key, std::int32_t value, TQJSON::JsonItem* added), (item, key, value, added)) \
  X(PLAIN, std::int32_t, AppendBoolean, (TQJSON::JsonItem item, std::int32_t value, TQJSON::JsonItem* added), (item, value, added)) \
  X(PLAIN, std::int32_t, AddBooleanMemberByPath, (const char16_t* path, const char16_t* key, std::int32_t value, TQJSON::JsonHandle* added), (path, key, value, added)) \
  X(PLAIN, std::int32_t, AppendBooleanByPath, (const char16_t* path, std::int32_t value, TQJSON::JsonHandle* added), (path, value, added)) \
  X(PLAIN, std::int32_t, AddBooleanMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, std::int32_t value, TQJSON::JsonHandle* added), (handle, key, value, added)) \
  X(PLAIN, std::int32_t, AppendBooleanByHandle, (TQJSON::JsonHandle handle, std::int32_t value, TQJSON::JsonHandle* added), (handle, value, added)) \
  /* Numbers by item. A float is held as a double. */ \
  X(FLOATING, std::int32_t, AddDoubleMember, (TQJSON::JsonItem item, const char16_t* key, double value, TQJSON::JsonItem* added), (item, key, value, added)) \
  X(FLOATING, std::int32_t, AppendDouble, (TQJSON::JsonItem item, double value, TQJSON::JsonItem* added), (item, value, added)) \
  X(FLOATING, std::int32_t, AddFloatMember, (TQJSON::JsonItem item, const char16_t* key, float value, TQJSON::JsonItem* added), (item, key, value, added)) \
  X(FLOATING, std::int32_t, AppendFloat, (TQJSON::JsonItem item, float value, TQJSON::JsonItem* added), (item, value, added)) \
  X(PLAIN, std::int32_t, AddUInt64Member, (TQJSON::JsonItem item, const char16_t* key, std::uint64_t value, TQJSON::JsonItem* added), (item, key, value, added)) \
  X(PLAIN, std::int32_t, AppendUInt64, (TQJSON::JsonItem item, std::uint64_t value, TQJSON::JsonItem* added), (item, value, added)) \
  X(PLAIN, std::int32_t, AddInt64Member, (TQJSON::JsonItem item, const char16_t* key, std::int64_t value, TQJSON::JsonItem* added), (item, key, value, added)) \
  X(PLAIN, std::int32_t, AppendInt64, (TQJSON::JsonItem item, std::int64_t value, TQJSON::JsonItem* added), (item, value, added)) \
  X(PLAIN, std::int32_t, AddUIntMember, (TQJSON::JsonItem item, const char16_t* key, std::uint32_t value, TQJSON::JsonItem* added), (item, key, value, added)) \
  X(PLAIN, std::int32_t, AppendUInt, (TQJSON::JsonItem item, std::uint32_t value, TQJSON::JsonItem* added), (item, value, added)) \
  X(PLAIN, std::int32_t, AddIntMember, (TQJSON::JsonItem item, const char16_t* key, std::int32_t value, TQJSON::JsonItem* added), (item, key, value, added)) \
  X(PLAIN, std::int32_t, AppendInt, (TQJSON::JsonItem item, std::int32_t value, TQJSON::JsonItem* added), (item, value, added)) \
  /* Special numbers by kind (JsonNumberKind): 0 the integer 0, 1 NaN, 2 +Infinity, 3 -Infinity; another kind gives 0. */ \
  X(PLAIN, std::int32_t, AddSpecialNumberMemberByPath, (const char16_t* path, const char16_t* key, std::uint32_t kind, TQJSON::JsonHandle* added), (path, key, kind, added)) \
  X(PLAIN, std::int32_t, AppendSpecialNumberByPath, (const char16_t* path, std::uint32_t kind, TQJSON::JsonHandle* added), (path, kind, added)) \
  X(PLAIN, std::int32_t, AddSpecialNumberMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, std::uint32_t kind, TQJSON::JsonHandle* added), (handle, key, kind, added)) \
  X(PLAIN, std::int32_t, AppendSpecialNumberByHandle, (TQJSON::JsonHandle handle, std::uint32_t kind, TQJSON::JsonHandle* added), (handle, kind, added)) \
  /* Numbers by path: doubles and floats keep their floating-point form. */ \
  X(PLAIN, std::int32_t, AddDoubleMemberByPath, (const char16_t* path, const char16_t* key, double value, TQJSON::JsonHandle* added), (path, key, value, added)) \
  X(PLAIN, std::int32_t, AppendDoubleByPath, (const char16_t* path, double value, TQJSON::JsonHandle* added), (path, value, added)) \
  X(PLAIN, std::int32_t, AddFloatMemberByPath, (const char16_t* path, const char16_t* key, float value, TQJSON::JsonHandle* added), (path, key, value, added)) \
  X(PLAIN, std::int32_t, AppendFloatByPath, (const char16_t* path, float value, TQJSON::JsonHandle* added), (path, value, added)) \
  X(PLAIN, std::int32_t, AddUInt64MemberByPath, (const char16_t* path, const char16_t* key, std::uint64_t value, TQJSON::JsonHandle* added), (path, key, value, added)) \
  X(PLAIN, std::int32_t, AppendUInt64ByPath, (const char16_t* path, std::uint64_t value, TQJSON::JsonHandle* added), (path, value, added)) \
  X(PLAIN, std::int32_t, AddInt64MemberByPath, (const char16_t* path, const char16_t* key, std::int64_t value, TQJSON::JsonHandle* added), (path, key, value, added)) \
  X(PLAIN, std::int32_t, AppendInt64ByPath, (const char16_t* path, std::int64_t value, TQJSON::JsonHandle* added), (path, value, added)) \
  X(PLAIN, std::int32_t, AddUIntMemberByPath, (const char16_t* path, const char16_t* key, std::uint32_t value, TQJSON::JsonHandle* added), (path, key, value, added)) \
  X(PLAIN, std::int32_t, AppendUIntByPath, (const char16_t* path, std::uint32_t value, TQJSON::JsonHandle* added), (path, value, added)) \
  X(PLAIN, std::int32_t, AddIntMemberByPath, (const char16_t* path, const char16_t* key, std::int32_t value, TQJSON::JsonHandle* added), (path, key, value, added)) \
  X(PLAIN, std::int32_t, AppendIntByPath, (const char16_t* path, std::int32_t value, TQJSON::JsonHandle* added), (path, value, added)) \
  /* Numbers by handle. */ \
  X(FLOATING, std::int32_t, AddDoubleMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, double value, TQJSON::JsonHandle* added), (handle, key, value, added)) \
  X(FLOATING, std::int32_t, AppendDoubleByHandle, (TQJSON::JsonHandle handle, double value, TQJSON::JsonHandle* added), (handle, value, added)) \
  X(FLOATING, std::int32_t, AddFloatMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, float value, TQJSON::JsonHandle* added), (handle, key, value, added)) \
  X(FLOATING, std::int32_t, AppendFloatByHandle, (TQJSON::JsonHandle handle, float value, TQJSON::JsonHandle* added), (handle, value, added)) \
  X(PLAIN, std::int32_t, AddUInt64MemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, std::uint64_t value, TQJSON::JsonHandle* added), (handle, key, value, added)) \
  X(PLAIN, std::int32_t, AppendUInt64ByHandle, (TQJSON::JsonHandle handle, std::uint64_t value, TQJSON::JsonHandle* added), (handle, value, added)) \
  X(PLAIN, std::int32_t, AddInt64MemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, std::int64_t value, TQJSON::JsonHandle* added), (handle, key, value, added)) \
  X(PLAIN, std::int32_t, AppendInt64ByHandle, (TQJSON::JsonHandle handle, std::int64_t value, TQJSON::JsonHandle* added), (handle, value, added)) \
  X(PLAIN, std::int32_t, AddUIntMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, std::uint32_t value, TQJSON::JsonHandle* added), (handle, key, value, added)) \
  X(PLAIN, std::int32_t, AppendUIntByHandle, (TQJSON::JsonHandle handle, std::uint32_t value, TQJSON::JsonHandle* added), (handle, value, added)) \
  X(PLAIN, std::int32_t, AddIntMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, std::int32_t value, TQJSON::JsonHandle* added), (handle, key, value, added)) \
  X(PLAIN, std::int32_t, AppendIntByHandle, (TQJSON::JsonHandle handle, std::int32_t value, TQJSON::JsonHandle* added), (handle, value, added)) \
  /* Blobs: the bytes as one line of standard base64 text (null data gives 0). */ \
  X(PLAIN, std::int32_t, AddBlobMember, (TQJSON::JsonItem item, const char16_t* key, const void* data, std::uint32_t size, TQJSON::JsonItem* added), (item, key, data, size, added)) \
  X(PLAIN, std::int32_t, AppendBlob, (TQJSON::JsonItem item, const void* data, std::uint32_t size, TQJSON::JsonItem* added), (item, data, size, added)) \
  X(PLAIN, std::int32_t, AddBlobMemberByPath, (const char16_t* path, const char16_t* key, const void* data, std::uint32_t size, TQJSON::JsonHandle* added), (path, key, data, size, added)) \
  X(PLAIN, std::int32_t, AppendBlobByPath, (const char16_t* path, const void* data, std::uint32_t size, TQJSON::JsonHandle* added), (path, data, size, added)) \
  X(PLAIN, std::int32_t, AddBlobMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, const void* data, std::uint32_t size, TQJSON::JsonHandle* added), (handle, key, data, size, added)) \
  X(PLAIN, std::int32_t, AppendBlobByHandle, (TQJSON::JsonHandle handle, const void* data, std::uint32_t size, TQJSON::JsonHandle* added), (handle, data, size, added)) \
  /* Strings (copied into the document). */ \
  X(PLAIN, std::int32_t, AddStringMember, (TQJSON::JsonItem item, const char16_t* key, const char16_t* value, TQJSON::JsonItem* added), (item, key, value, added)) \
  X(PLAIN, std::int32_t, AppendString, (TQJSON::JsonItem item, const char16_t* value, TQJSON::JsonItem* added), (item, value, added)) \
  X(PLAIN, std::int32_t, AddStringMemberByPath, (const char16_t* path, const char16_t* key, const char16_t* value, TQJSON::JsonHandle* added), (path, key, value, added)) \
  X(PLAIN, std::int32_t, AppendStringByPath, (const char16_t* path, const char16_t* value, TQJSON::JsonHandle* added), (path, value, added)) \
  X(PLAIN, std::int32_t, AddStringMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, const char16_t* value, TQJSON::JsonHandle* added), (handle, key, value, added)) \
  X(PLAIN, std::int32_t, AppendStringByHandle, (TQJSON::JsonHandle handle, const char16_t* value, TQJSON::JsonHandle* added), (handle, value, added)) \
  /* Nulls. */ \
  X(PLAIN, std::int32_t, AddNullMember, (TQJSON::JsonItem item, const char16_t* key, TQJSON::JsonItem* added), (item, key, added)) \
  X(PLAIN, std::int32_t, AppendNull, (TQJSON::JsonItem item, TQJSON::JsonItem* added), (item, added)) \
  X(PLAIN, std::int32_t, AddNullMemberByPath, (const char16_t* path, const char16_t* key, TQJSON::JsonHandle* added), (path, key, added)) \
  X(PLAIN, std::int32_t, AppendNullByPath, (const char16_t* path, TQJSON::JsonHandle* added), (path, added)) \
  X(PLAIN, std::int32_t, AddNullMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, TQJSON::JsonHandle* added), (handle, key, added)) \
  X(PLAIN, std::int32_t, AppendNullByHandle, (TQJSON::JsonHandle handle, TQJSON::JsonHandle* added), (handle, added)) \
  /* Variants: a 64-bit integer (kJsonVariantInt64) or a string (kJsonVariantTextRef); with a key as member, without* one appended; another tag gives 0. */ \
  X(PLAIN, std::int32_t, AddVariant, (TQJSON::JsonItem item, const char16_t* key, const TQJSON::JsonVariant* variant, TQJSON::JsonItem* added), (item, key, variant, added)) \
  X(PLAIN, std::int32_t, AddVariantByPath, (const char16_t* path, const char16_t* key, const TQJSON::JsonVariant* variant, TQJSON::JsonHandle* added), (path, key, variant, added)) \
  X(PLAIN, std::int32_t, AddVariantByHandle, (TQJSON::JsonHandle handle, const char16_t* key, const TQJSON::JsonVariant* variant, TQJSON::JsonHandle* added), (handle, key, variant, added)) \
  /* Saving (encoding: JsonEncoding). A file is replaced atomically: on failure (0) the previous file is untouched. An* empty document saves as an empty file or text. */ \
  X(PLAIN, std::int32_t, SaveToFile, (const char16_t* file_name, std::int32_t encoding), (file_name, encoding)) \
  /* formatted: 0 compact, 1 indented by 4 spaces. */ \
  X(FORMATTED, std::int32_t, SaveToFileFormatted, (const char16_t* file_name, std::int32_t encoding, std::int32_t formatted), (file_name, encoding, formatted)) \
  /* Compact UTF-16 text, NUL-terminated. */ \
  X(PLAIN, std::int32_t, GetJsonText, (const char16_t** text), (text)) \
  /* Compact text as bytes in the encoding, without byte-order mark. */ \
  X(PLAIN, std::int32_t, SaveToBuffer, (const std::uint8_t** data, std::uint32_t* size, std::int32_t encoding), (data, size, encoding)) \
  /* Destroys the object on which it is called and everything it owns. */ \
  X(RELEASE, void, Release, (), ()) \
  /* Loading: the parsed file or text replaces the document and the handles start again, handle 1 for its root. A file that cannot be read, does not parse or holds no object or array gives -3; a text that does not parse (an empty or null one too) gives 0, one whose root is no object or array -3. On failure the document, its items and handles stay as they were. */ \
  /* Grafting: the parsed file or text is copied in as a member of an object or an element of an array, and its handle handed out; a member whose path has a handle already is replaced in place and keeps it. The parent is checked first and nothing is read when it fails: -10 a path naming nothing, -2 an unknown handle or one whose value is gone, -1 a null key, 0 a null output or a parent of the wrong kind. Then the source gives -3 or 0 as for the loads. A failure changes nothing. */ \
  X(PLAIN, std::int32_t, LoadFromFile, (const char16_t* file_name, TQJSON::JsonHandle* root), (file_name, root)) \
  X(PLAIN, std::int32_t, InsertFileMemberByPath, (const char16_t* path, const char16_t* key, const char16_t* file_name, TQJSON::JsonHandle* added), (path, key, file_name, added)) \
  X(PLAIN, std::int32_t, InsertFileByPath, (const char16_t* path, const char16_t* file_name, TQJSON::JsonHandle* added), (path, file_name, added)) \
  X(PLAIN, std::int32_t, InsertFileMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, const char16_t* file_name, TQJSON::JsonHandle* added), (handle, key, file_name, added)) \
  X(PLAIN, std::int32_t, InsertFileByHandle, (TQJSON::JsonHandle handle, const char16_t* file_name, TQJSON::JsonHandle* added), (handle, file_name, added)) \
  X(PLAIN, std::int32_t, LoadFromString, (const char16_t* text, TQJSON::JsonHandle* root), (text, root)) \
  X(PLAIN, std::int32_t, InsertTextMemberByPath, (const char16_t* path, const char16_t* key, const char16_t* text, TQJSON::JsonHandle* added), (path, key, text, added)) \
  X(PLAIN, std::int32_t, InsertTextByPath, (const char16_t* path, const char16_t* text, TQJSON::JsonHandle* added), (path, text, added)) \
  X(PLAIN, std::int32_t, InsertTextMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, const char16_t* text, TQJSON::JsonHandle* added), (handle, key, text, added)) \
  X(PLAIN, std::int32_t, InsertTextByHandle, (TQJSON::JsonHandle handle, const char16_t* text, TQJSON::JsonHandle* added), (handle, text, added)) \
  /* The path of a handle in the form above, written NUL-terminated into buffer (capacity in UTF-16 units, terminator* included); 0 when it does not fit. */ \
  X(PLAIN, std::int32_t, GetPathOfHandle, (TQJSON::JsonHandle handle, char16_t* buffer, std::uint32_t capacity), (handle, buffer, capacity)) \
  /* The handle of the value a path names, registered if new. */ \
  X(PLAIN, std::int32_t, GetHandleOfPath, (const char16_t* path, TQJSON::JsonHandle* handle), (path, handle)) \
  /* Grafts a parsed text as a member of the object item (always added). The item is checked first (-2 unknown, -1 null key, -3 not an object); the text then gives 0 or -3 as for LoadFromString. */ \
  X(PLAIN, std::int32_t, InsertTextMember, (TQJSON::JsonItem item, const char16_t* key, const char16_t* text), (item, key, text))
// clang-format on
