#include "value_type_code.h"

#include "tqjson/json_codes.h"

namespace TQJSON {
namespace {

std::int32_t NumberTypeCode(const JsonValue& number) {
  if (number.IsInt()) return kJsonTypeInt32;
  if (number.IsUint()) return kJsonTypeUInt32;
  if (number.IsInt64()) return kJsonTypeInt64;
  if (number.IsUint64()) return kJsonTypeUInt64;
  return kJsonTypeFloating;
}

}  // namespace

std::int32_t GetValueTypeCode(const JsonValue& value) {
  return value.IsNumber() ? NumberTypeCode(value) : GetCoarseTypeCode(value);
}

std::int32_t GetCoarseTypeCode(const JsonValue& value) {
  switch (value.GetType()) {
    case rapidjson::kFalseType:
    case rapidjson::kTrueType:
      return kJsonTypeBoolean;
    case rapidjson::kObjectType:
      return kJsonTypeObject;
    case rapidjson::kArrayType:
      return kJsonTypeArray;
    case rapidjson::kStringType:
      return kJsonTypeString;
    case rapidjson::kNumberType:
      return kJsonTypeNumber;
    case rapidjson::kNullType:
      break;
  }
  return kJsonTypeNull;
}

}  // namespace TQJSON
