// The operations of IJsonParser, in interface order, as one list that the
// interface and each class of the reader's chain expand. Every entry is
//   X(category, result type, name, (parameters), (arguments))
// The category tells the facade and the adapter how to pass the call on:
//   LOAD        starts a new document: the adapter installs a new
//               implementation first (everything of the previous document
//               is gone, whether the load succeeds or not);
//   ERROR_FLAG  HasError: the adapter answers exactly 0 or 1;
//   TRUTH       answers true or false: the facade's guard answers false;
//   RELEASE     destroys the object and what it owns;
//   PLAIN       everything else: forwarded, the facade's guard answers
//               kJsonExceptionCaught.
//
// Shared rules (codes in json_codes.h):
// - Addressing: an item (handed out by this reader), a path ("/" is the
//   root; "/a/2" is the second element of the array a, or the member "2" of
//   the object a; "~/" stands for a "/" inside a member name) or a handle.
//   A null, unknown or stale item gives -2, an unknown handle -2, a path
//   that does not begin with "/" or names nothing -10.
// - Keys are looked up ignoring the case of ASCII letters (the first
//   matching member wins), except in HasMemberByPath and in path segments.
// - Item forms report fine item-type codes, path and handle forms coarse
//   ones. A node handed out by handle keeps its handle until the next load.
// - Outputs are written only on success, except where stated. Strings point
//   into the document and live until the next load or Release; blobs point
//   into a scratch buffer that the next blob read or error-text request
//   overwrites; JSON texts point into a buffer that the next JSON-text
//   request overwrites. The caller never frees any of them.
//
// Loading:
// - Bytes and files are read in the encoding their start shows (a UTF-8,
//   UTF-16 or UTF-32 byte-order mark, else the zero bytes among the first
//   four, else UTF-8); bytes that are not UTF-8 are read again as
//   Windows-1252 text. A string is read as UTF-16 text.
// - The whole input must be one object or array, nested at most 1000
//   levels deep, followed by nothing but white space. NaN, Inf and
//   Infinity (with an optional minus sign) are numbers. Escaped surrogates
//   must come in pairs.
// - A failed load leaves an error code (texts: "The document is empty.",
//   "Invalid value.", ...) and the offset where the parser stopped: in
//   bytes of the input (a string counts 2 bytes a character), or in
//   characters after a Windows-1252 reading; 0 for a root of the wrong
//   kind or a missing input. An empty buffer or string reports "The string
//   is empty.", an empty file "The document is empty.".
// - LoadFromFileWithMessage's message is "Json format error!\r\nError Row:
//   <row>.\r\nError Offset: <offset>.\r\nError Text: <text>", the row and
//   offset counted in the file's decoded text; a file that cannot be read
//   gets no message.
#pragma once

#include <cstdint>

#include "tqjson/json_codes.h"
#include "tqjson/json_variant.h"

// clang-format off
#define TQJSON_PARSER_OPERATIONS(X) \
  /* Loading: 1 loaded, 0 failed (the reason stays in the error state). The root must be an object or an array. */ \
  X(LOAD, std::int32_t, LoadFromBuffer, (const void* bytes, std::uint32_t size), (bytes, size)) \
  X(LOAD, std::int32_t, LoadFromString, (const char16_t* text), (text)) \
  /* On failure also writes a message with the row and offset of the error, valid until the next load. */ \
  X(LOAD, std::int32_t, LoadFromFileWithMessage, (const char16_t* file_name, const char16_t** message), (file_name, message)) \
  X(LOAD, std::int32_t, LoadFromFile, (const char16_t* file_name), (file_name)) \
  /* Error state of the last load: HasError gives 1 or 0; the error text is a constant of the program. */ \
  X(ERROR_FLAG, std::int32_t, HasError, (), ()) \
  X(PLAIN, std::int32_t, GetErrorOffset, (std::uint32_t* offset), (offset)) \
  X(PLAIN, std::int32_t, GetErrorText, (const char16_t** text), (text)) \
  /* The root, as item or handle, with its type code. */ \
  X(PLAIN, std::int32_t, GetRoot, (TQJSON::JsonItem* item, std::int32_t* type), (item, type)) \
  X(PLAIN, std::int32_t, GetRootHandle, (TQJSON::JsonHandle* handle, std::int32_t* type), (handle, type)) \
  /* Members by key and children by 0-based index (of an object or an array). */ \
  X(PLAIN, std::int32_t, GetMember, (TQJSON::JsonItem item, const char16_t* key, TQJSON::JsonItem* member, std::int32_t* type), (item, key, member, type)) \
  X(PLAIN, std::int32_t, GetChild, (TQJSON::JsonItem item, std::int32_t index, TQJSON::JsonItem* child, std::int32_t* type), (item, index, child, type)) \
  X(PLAIN, std::int32_t, GetMemberByPath, (const char16_t* path, const char16_t* key, TQJSON::JsonHandle* member, std::int32_t* type), (path, key, member, type)) \
  X(PLAIN, std::int32_t, GetChildByPath, (const char16_t* path, std::int32_t index, TQJSON::JsonHandle* child, std::int32_t* type), (path, index, child, type)) \
  X(PLAIN, std::int32_t, GetMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, TQJSON::JsonHandle* member, std::int32_t* type), (handle, key, member, type)) \
  X(PLAIN, std::int32_t, GetChildByHandle, (TQJSON::JsonHandle handle, std::int32_t index, TQJSON::JsonHandle* child, std::int32_t* type), (handle, index, child, type)) \
  /* Member names by 0-based index. */ \
  X(PLAIN, std::int32_t, GetMemberName, (TQJSON::JsonItem item, std::int32_t index, const char16_t** name), (item, index, name)) \
  X(PLAIN, std::int32_t, GetMemberNameByPath, (const char16_t* path, std::int32_t index, const char16_t** name), (path, index, name)) \
  X(PLAIN, std::int32_t, GetMemberNameByHandle, (TQJSON::JsonHandle handle, std::int32_t index, const char16_t** name), (handle, index, name)) \
  /* Member count of an object, element count of an array. */ \
  X(PLAIN, std::int32_t, GetChildCount, (TQJSON::JsonItem item, std::int32_t* count), (item, count)) \
  X(PLAIN, std::int32_t, GetChildCountByPath, (const char16_t* path, std::int32_t* count), (path, count)) \
  X(PLAIN, std::int32_t, GetChildCountByHandle, (TQJSON::JsonHandle handle, std::int32_t* count), (handle, count)) \
  /* Type codes. */ \
  X(PLAIN, std::int32_t, GetItemType, (TQJSON::JsonItem item, std::int32_t* type), (item, type)) \
  X(PLAIN, std::int32_t, GetItemTypeByPath, (const char16_t* path, std::int32_t* type), (path, type)) \
  X(PLAIN, std::int32_t, GetMemberTypeByHandle, (TQJSON::JsonHandle handle, const char16_t* key, std::int32_t* type), (handle, key, type)) \
  X(PLAIN, std::int32_t, GetItemTypeByHandle, (TQJSON::JsonHandle handle, std::int32_t* type), (handle, type)) \
  /* Booleans (1 true, 0 false). */ \
  X(PLAIN, std::int32_t, GetBooleanMember, (TQJSON::JsonItem item, const char16_t* key, std::int32_t* value), (item, key, value)) \
  X(PLAIN, std::int32_t, GetBoolean, (TQJSON::JsonItem item, std::int32_t* value), (item, value)) \
  X(PLAIN, std::int32_t, GetBooleanByPath, (const char16_t* path, std::int32_t* value), (path, value)) \
  X(PLAIN, std::int32_t, GetBooleanMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, std::int32_t* value), (handle, key, value)) \
  X(PLAIN, std::int32_t, GetBooleanByHandle, (TQJSON::JsonHandle handle, std::int32_t* value), (handle, value)) \
  /* Numbers by item. An integer getter takes only numbers that fit its type; double and float take every number. */ \
  X(PLAIN, std::int32_t, GetDoubleMember, (TQJSON::JsonItem item, const char16_t* key, double* value), (item, key, value)) \
  X(PLAIN, std::int32_t, GetDouble, (TQJSON::JsonItem item, double* value), (item, value)) \
  X(PLAIN, std::int32_t, GetFloatMember, (TQJSON::JsonItem item, const char16_t* key, float* value), (item, key, value)) \
  X(PLAIN, std::int32_t, GetFloat, (TQJSON::JsonItem item, float* value), (item, value)) \
  X(PLAIN, std::int32_t, GetUInt64Member, (TQJSON::JsonItem item, const char16_t* key, std::uint64_t* value), (item, key, value)) \
  X(PLAIN, std::int32_t, GetUInt64, (TQJSON::JsonItem item, std::uint64_t* value), (item, value)) \
  X(PLAIN, std::int32_t, GetInt64Member, (TQJSON::JsonItem item, const char16_t* key, std::int64_t* value), (item, key, value)) \
  X(PLAIN, std::int32_t, GetInt64, (TQJSON::JsonItem item, std::int64_t* value), (item, value)) \
  X(PLAIN, std::int32_t, GetUIntMember, (TQJSON::JsonItem item, const char16_t* key, std::uint32_t* value), (item, key, value)) \
  X(PLAIN, std::int32_t, GetUInt, (TQJSON::JsonItem item, std::uint32_t* value), (item, value)) \
  X(PLAIN, std::int32_t, GetIntMember, (TQJSON::JsonItem item, const char16_t* key, std::int32_t* value), (item, key, value)) \
  X(PLAIN, std::int32_t, GetInt, (TQJSON::JsonItem item, std::int32_t* value), (item, value)) \
  /* Numbers by path. */ \
  X(PLAIN, std::int32_t, GetDoubleByPath, (const char16_t* path, double* value), (path, value)) \
  X(PLAIN, std::int32_t, GetFloatByPath, (const char16_t* path, float* value), (path, value)) \
  X(PLAIN, std::int32_t, GetUInt64ByPath, (const char16_t* path, std::uint64_t* value), (path, value)) \
  X(PLAIN, std::int32_t, GetInt64ByPath, (const char16_t* path, std::int64_t* value), (path, value)) \
  X(PLAIN, std::int32_t, GetUIntByPath, (const char16_t* path, std::uint32_t* value), (path, value)) \
  X(PLAIN, std::int32_t, GetIntByPath, (const char16_t* path, std::int32_t* value), (path, value)) \
  /* Numbers by handle. */ \
  X(PLAIN, std::int32_t, GetDoubleMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, double* value), (handle, key, value)) \
  X(PLAIN, std::int32_t, GetDoubleByHandle, (TQJSON::JsonHandle handle, double* value), (handle, value)) \
  X(PLAIN, std::int32_t, GetFloatMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, float* value), (handle, key, value)) \
  X(PLAIN, std::int32_t, GetFloatByHandle, (TQJSON::JsonHandle handle, float* value), (handle, value)) \
  X(PLAIN, std::int32_t, GetUInt64MemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, std::uint64_t* value), (handle, key, value)) \
  X(PLAIN, std::int32_t, GetUInt64ByHandle, (TQJSON::JsonHandle handle, std::uint64_t* value), (handle, value)) \
  X(PLAIN, std::int32_t, GetInt64MemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, std::int64_t* value), (handle, key, value)) \
  X(PLAIN, std::int32_t, GetInt64ByHandle, (TQJSON::JsonHandle handle, std::int64_t* value), (handle, value)) \
  X(PLAIN, std::int32_t, GetUIntMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, std::uint32_t* value), (handle, key, value)) \
  X(PLAIN, std::int32_t, GetUIntByHandle, (TQJSON::JsonHandle handle, std::uint32_t* value), (handle, value)) \
  X(PLAIN, std::int32_t, GetIntMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, std::int32_t* value), (handle, key, value)) \
  X(PLAIN, std::int32_t, GetIntByHandle, (TQJSON::JsonHandle handle, std::int32_t* value), (handle, value)) \
  /* Blobs: a string decoded from base64 into the scratch buffer. */ \
  X(PLAIN, std::int32_t, GetBlobMember, (TQJSON::JsonItem item, const char16_t* key, const std::uint8_t** data, std::uint32_t* size), (item, key, data, size)) \
  X(PLAIN, std::int32_t, GetBlob, (TQJSON::JsonItem item, const std::uint8_t** data, std::uint32_t* size), (item, data, size)) \
  X(PLAIN, std::int32_t, GetBlobByPath, (const char16_t* path, const std::uint8_t** data, std::uint32_t* size), (path, data, size)) \
  X(PLAIN, std::int32_t, GetBlobMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, const std::uint8_t** data, std::uint32_t* size), (handle, key, data, size)) \
  X(PLAIN, std::int32_t, GetBlobByHandle, (TQJSON::JsonHandle handle, const std::uint8_t** data, std::uint32_t* size), (handle, data, size)) \
  /* Strings: a pointer to the characters inside the document. */ \
  X(PLAIN, std::int32_t, GetStringMember, (TQJSON::JsonItem item, const char16_t* key, const char16_t** text), (item, key, text)) \
  X(PLAIN, std::int32_t, GetString, (TQJSON::JsonItem item, const char16_t** text), (item, text)) \
  X(PLAIN, std::int32_t, GetStringByPath, (const char16_t* path, const char16_t** text), (path, text)) \
  X(PLAIN, std::int32_t, GetStringMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, const char16_t** text), (handle, key, text)) \
  X(PLAIN, std::int32_t, GetStringByHandle, (TQJSON::JsonHandle handle, const char16_t** text), (handle, text)) \
  /* Object and array selection: 1 with the node and code 4 (5); 0 with the node's coarse code when it is of another* kind. */ \
  X(PLAIN, std::int32_t, GetObjectMember, (TQJSON::JsonItem item, const char16_t* key, TQJSON::JsonItem* member, std::int32_t* type), (item, key, member, type)) \
  X(PLAIN, std::int32_t, GetObjectByPath, (const char16_t* path, TQJSON::JsonHandle* handle, std::int32_t* type), (path, handle, type)) \
  X(PLAIN, std::int32_t, GetObjectMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, TQJSON::JsonHandle* member, std::int32_t* type), (handle, key, member, type)) \
  X(PLAIN, std::int32_t, GetArrayMember, (TQJSON::JsonItem item, const char16_t* key, TQJSON::JsonItem* member, std::int32_t* type), (item, key, member, type)) \
  X(PLAIN, std::int32_t, GetArrayByPath, (const char16_t* path, TQJSON::JsonHandle* handle, std::int32_t* type), (path, handle, type)) \
  X(PLAIN, std::int32_t, GetArrayMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, TQJSON::JsonHandle* member, std::int32_t* type), (handle, key, member, type)) \
  /* The handle of the node a path names (-2 when it names none). */ \
  X(PLAIN, std::int32_t, GetHandleByPath, (const char16_t* path, TQJSON::JsonHandle* handle), (path, handle)) \
  /* Sub-trees as compact JSON text. */ \
  X(PLAIN, std::int32_t, GetObjectJsonTextByPath, (const char16_t* path, const char16_t** text), (path, text)) \
  X(PLAIN, std::int32_t, GetObjectJsonTextByHandle, (TQJSON::JsonHandle handle, const char16_t** text), (handle, text)) \
  X(PLAIN, std::int32_t, GetObjectJsonTextMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, const char16_t** text), (handle, key, text)) \
  X(PLAIN, std::int32_t, GetArrayJsonTextByPath, (const char16_t* path, const char16_t** text), (path, text)) \
  X(PLAIN, std::int32_t, GetArrayJsonTextByHandle, (TQJSON::JsonHandle handle, const char16_t** text), (handle, text)) \
  X(PLAIN, std::int32_t, GetArrayJsonTextMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, const char16_t** text), (handle, key, text)) \
  /* Special-number kind (JsonNumberKind) of a number. */ \
  X(PLAIN, std::int32_t, GetNumberKindByPath, (const char16_t* path, std::uint32_t* kind), (path, kind)) \
  X(PLAIN, std::int32_t, GetNumberKindMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key, std::uint32_t* kind), (handle, key, kind)) \
  X(PLAIN, std::int32_t, GetNumberKindByHandle, (TQJSON::JsonHandle handle, std::uint32_t* kind), (handle, kind)) \
  /* Existence tests: true or false. HasMemberByPath compares the key exactly. */ \
  X(TRUTH, std::int32_t, PathExists, (const char16_t* path), (path)) \
  X(TRUTH, std::int32_t, HasMemberByHandle, (TQJSON::JsonHandle handle, const char16_t* key), (handle, key)) \
  X(TRUTH, std::int32_t, HasMemberByPath, (const char16_t* path, const char16_t* key), (path, key)) \
  /* A string (tag kJsonVariantTextRef) or else a signed 64-bit integer (tag kJsonVariantInt64); a null key reads the* value itself. */ \
  X(PLAIN, std::int32_t, GetVariant, (TQJSON::JsonItem item, const char16_t* key, TQJSON::JsonVariant* variant), (item, key, variant)) \
  X(PLAIN, std::int32_t, GetVariantByHandle, (TQJSON::JsonHandle handle, const char16_t* key, TQJSON::JsonVariant* variant), (handle, key, variant)) \
  /* Destroys the object on which it is called and everything it owns. */ \
  X(RELEASE, void, Release, (), ()) \
  /* A member's value of any kind as compact JSON text (the output is null until the text is complete). */ \
  X(PLAIN, std::int32_t, GetMemberJsonText, (TQJSON::JsonItem item, const char16_t* key, const char16_t** text), (item, key, text))
// clang-format on
