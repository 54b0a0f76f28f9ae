// The value containers: binary, dictionary and list values.
#pragma once

#include <cstddef>
#include <vector>

#include "cef_base.h"
#include "cef_string.h"
#include "cef_types.h"

class CefDictionaryValue;
class CefListValue;

// CefBinaryValue: an immutable block of bytes.
// Any thread may read it; its count is atomic (cef_base.h).
class CefBinaryValue : public virtual CefBaseRefCounted {
 public:
  // A copy of `data_size` bytes at `data`. Returns null when `data` is null
  // and `data_size` is not 0.
  static CefRefPtr<CefBinaryValue> Create(const void* data, std::size_t data_size);

  virtual bool IsValid() = 0;
  // A new value holding the same bytes.
  virtual CefRefPtr<CefBinaryValue> Copy() = 0;
  virtual std::size_t GetSize() = 0;
  // Copies up to `buffer_size` bytes starting at `data_offset`, never past
  // the end, and returns the number copied: 0 when the offset is at or past
  // the end, or when `buffer` is null.
  virtual std::size_t GetData(void* buffer, std::size_t buffer_size, std::size_t data_offset) = 0;
};

// CefListValue: an ordered list of values (null, bool, int, double, string,
// binary, dictionary, list), with CEF's forgiving rules:
// - reading an index past the end, or of another type, gives the empty value
//   (false, 0, 0.0, the empty string, a null pointer);
// - setting an index at or past the end grows the list and fills the gap
//   with nulls (setting 0 and then 2 gives [x, null, y]);
// - Set... of a binary, dictionary or list stores a copy of it, so a value
//   never contains itself; Get... of a dictionary or list returns the stored
//   child, and changing that child changes this list.
// A list holds at most kMaxSize entries; setting an index beyond that fails.
// Not synchronised: one thread at a time.
class CefListValue : public virtual CefBaseRefCounted {
 public:
  static constexpr std::size_t kMaxSize = std::size_t{1} << 26;

  static CefRefPtr<CefListValue> Create();

  virtual bool IsValid() = 0;
  // A deep copy.
  virtual CefRefPtr<CefListValue> Copy() = 0;

  // Grows (with nulls) or shrinks the list; false beyond kMaxSize.
  virtual bool SetSize(std::size_t size) = 0;
  virtual std::size_t GetSize() = 0;
  virtual bool Clear() = 0;
  // Removes one entry, moving the later ones down; false past the end.
  virtual bool Remove(std::size_t index) = 0;

  // VTYPE_INVALID past the end.
  virtual CefValueType GetType(std::size_t index) = 0;
  virtual bool GetBool(std::size_t index) = 0;
  virtual int GetInt(std::size_t index) = 0;
  virtual double GetDouble(std::size_t index) = 0;
  virtual CefString GetString(std::size_t index) = 0;
  virtual CefRefPtr<CefBinaryValue> GetBinary(std::size_t index) = 0;
  virtual CefRefPtr<CefDictionaryValue> GetDictionary(std::size_t index) = 0;
  virtual CefRefPtr<CefListValue> GetList(std::size_t index) = 0;

  // Each returns false, changing nothing, when the index is beyond kMaxSize
  // or (for the reference kinds) the value is null.
  virtual bool SetNull(std::size_t index) = 0;
  virtual bool SetBool(std::size_t index, bool value) = 0;
  virtual bool SetInt(std::size_t index, int value) = 0;
  virtual bool SetDouble(std::size_t index, double value) = 0;
  virtual bool SetString(std::size_t index, const CefString& value) = 0;
  virtual bool SetBinary(std::size_t index, CefRefPtr<CefBinaryValue> value) = 0;
  virtual bool SetDictionary(std::size_t index, CefRefPtr<CefDictionaryValue> value) = 0;
  virtual bool SetList(std::size_t index, CefRefPtr<CefListValue> value) = 0;
};

// CefDictionaryValue: values by string key, keys kept in ascending order of
// their UTF-16 units. The rules of cef_list_value.h apply: a missing key or a
// value of another type reads as the empty value; binary, dictionary and
// list values are stored as copies and read back as the stored child.
// Not synchronised: one thread at a time.
class CefDictionaryValue : public virtual CefBaseRefCounted {
 public:
  typedef std::vector<CefString> KeyList;

  static CefRefPtr<CefDictionaryValue> Create();

  virtual bool IsValid() = 0;
  // A deep copy.
  virtual CefRefPtr<CefDictionaryValue> Copy() = 0;

  virtual std::size_t GetSize() = 0;
  virtual bool Clear() = 0;
  virtual bool HasKey(const CefString& key) = 0;
  // Replaces `keys` with the keys in order.
  virtual bool GetKeys(KeyList& keys) = 0;
  // False when the key is absent.
  virtual bool Remove(const CefString& key) = 0;

  // VTYPE_INVALID for a missing key.
  virtual CefValueType GetType(const CefString& key) = 0;
  virtual bool GetBool(const CefString& key) = 0;
  virtual int GetInt(const CefString& key) = 0;
  virtual double GetDouble(const CefString& key) = 0;
  virtual CefString GetString(const CefString& key) = 0;
  virtual CefRefPtr<CefBinaryValue> GetBinary(const CefString& key) = 0;
  virtual CefRefPtr<CefDictionaryValue> GetDictionary(const CefString& key) = 0;
  virtual CefRefPtr<CefListValue> GetList(const CefString& key) = 0;

  // The reference kinds return false, changing nothing, for a null value.
  virtual bool SetNull(const CefString& key) = 0;
  virtual bool SetBool(const CefString& key, bool value) = 0;
  virtual bool SetInt(const CefString& key, int value) = 0;
  virtual bool SetDouble(const CefString& key, double value) = 0;
  virtual bool SetString(const CefString& key, const CefString& value) = 0;
  virtual bool SetBinary(const CefString& key, CefRefPtr<CefBinaryValue> value) = 0;
  virtual bool SetDictionary(const CefString& key, CefRefPtr<CefDictionaryValue> value) = 0;
  virtual bool SetList(const CefString& key, CefRefPtr<CefListValue> value) = 0;
};
