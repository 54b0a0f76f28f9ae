// Plain types and enumerations shared by the cefshim interfaces, with CEF's
// names and values.
#pragma once

#include <cstdint>

// The process a message is sent to or came from.
typedef enum {
  PID_BROWSER,
  PID_RENDERER,
} cef_process_id_t;
typedef cef_process_id_t CefProcessId;

// The kind of a value stored in a list or dictionary. VTYPE_INVALID answers
// GetType for an index or key that holds nothing.
typedef enum {
  VTYPE_INVALID = 0,
  VTYPE_NULL,
  VTYPE_BOOL,
  VTYPE_INT,
  VTYPE_DOUBLE,
  VTYPE_STRING,
  VTYPE_BINARY,
  VTYPE_DICTIONARY,
  VTYPE_LIST,
} cef_value_type_t;
typedef cef_value_type_t CefValueType;

// Attributes of a script object property (they combine as bits).
typedef enum {
  V8_PROPERTY_ATTRIBUTE_NONE = 0,
  V8_PROPERTY_ATTRIBUTE_READONLY = 1 << 0,
  V8_PROPERTY_ATTRIBUTE_DONTENUM = 1 << 1,
  V8_PROPERTY_ATTRIBUTE_DONTDELETE = 1 << 2,
} cef_v8_propertyattribute_t;

// A calendar time in universal time.
typedef struct {
  int year;          // four digits, e.g. 2007
  int month;         // 1 (January) to 12
  int day_of_week;   // 0 (Sunday) to 6
  int day_of_month;  // 1 to 31
  int hour;          // 0 to 23
  int minute;        // 0 to 59
  int second;        // 0 to 59 (60 for a leap second)
  int millisecond;   // 0 to 999
} cef_time_t;
typedef cef_time_t CefTime;
