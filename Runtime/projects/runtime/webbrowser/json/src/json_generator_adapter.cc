#include "tqjson/json_generator_adapter.h"

#include <cmath>
#include <optional>

#include "tqjson/rapid_json_generator.h"

namespace TQJSON {
namespace {

// x as a 64-bit integer when it is integral and within [-2^63, 2^63);
// NaN and the infinities are not.
std::optional<std::int64_t> IntegralValue(double x) {
  if (x - std::floor(x) != 0.0) return std::nullopt;
  if (x < -9223372036854775808.0 || x >= 9223372036854775808.0) return std::nullopt;
  return static_cast<std::int64_t>(x);
}

}  // namespace

#define TQJSON_ADAPTER_PLAIN(name, parameters, arguments)                               \
  std::int32_t CJsonGeneratorAdapter::name parameters {                                 \
    IJsonGenerator* current = implementation_.get();                                    \
    return current != nullptr ? current->name arguments : std::int32_t{JSONFUN_FAILED}; \
  }
#define TQJSON_ADAPTER_ROOT(name, parameters, arguments) \
  std::int32_t CJsonGeneratorAdapter::name parameters { return implementation_.Renew()->name arguments; }
#define TQJSON_ADAPTER_FLOATING(name, parameters, arguments)
#define TQJSON_ADAPTER_FORMATTED(name, parameters, arguments)
#define TQJSON_ADAPTER_RELEASE(name, parameters, arguments)
#define TQJSON_ADAPTER_OPERATION(category, result, name, parameters, arguments) \
  TQJSON_ADAPTER_##category(name, parameters, arguments)

CJsonGeneratorAdapter::CJsonGeneratorAdapter(std::uint32_t flags) : flags_(flags) {}

void CJsonGeneratorAdapter::SetImplementation(IJsonGenerator* implementation) { implementation_.Set(implementation); }

TQJSON_GENERATOR_OPERATIONS(TQJSON_ADAPTER_OPERATION)

// A floating-point adder that passes an integral value on to the 64-bit
// integer adder of the same form.
#define TQJSON_ADAPTER_INTEGRAL_RULE(name, integer_name, parameters, integer_arguments, arguments)  \
  std::int32_t CJsonGeneratorAdapter::name parameters {                                             \
    IJsonGenerator* current = implementation_.get();                                                \
    if (current == nullptr) return JSONFUN_FAILED;                                                  \
    if (const auto integral = IntegralValue(value)) return current->integer_name integer_arguments; \
    return current->name arguments;                                                                 \
  }

TQJSON_ADAPTER_INTEGRAL_RULE(AddDoubleMember, AddInt64Member,
                             (JsonItem item, const char16_t* key, double value, JsonItem* added),
                             (item, key, *integral, added), (item, key, value, added))
TQJSON_ADAPTER_INTEGRAL_RULE(AppendDouble, AppendInt64, (JsonItem item, double value, JsonItem* added),
                             (item, *integral, added), (item, value, added))
TQJSON_ADAPTER_INTEGRAL_RULE(AddFloatMember, AddInt64Member,
                             (JsonItem item, const char16_t* key, float value, JsonItem* added),
                             (item, key, *integral, added), (item, key, value, added))
TQJSON_ADAPTER_INTEGRAL_RULE(AppendFloat, AppendInt64, (JsonItem item, float value, JsonItem* added),
                             (item, *integral, added), (item, value, added))
TQJSON_ADAPTER_INTEGRAL_RULE(AddDoubleMemberByHandle, AddInt64MemberByHandle,
                             (JsonHandle handle, const char16_t* key, double value, JsonHandle* added),
                             (handle, key, *integral, added), (handle, key, value, added))
TQJSON_ADAPTER_INTEGRAL_RULE(AppendDoubleByHandle, AppendInt64ByHandle,
                             (JsonHandle handle, double value, JsonHandle* added), (handle, *integral, added),
                             (handle, value, added))
TQJSON_ADAPTER_INTEGRAL_RULE(AddFloatMemberByHandle, AddInt64MemberByHandle,
                             (JsonHandle handle, const char16_t* key, float value, JsonHandle* added),
                             (handle, key, *integral, added), (handle, key, value, added))
TQJSON_ADAPTER_INTEGRAL_RULE(AppendFloatByHandle, AppendInt64ByHandle,
                             (JsonHandle handle, float value, JsonHandle* added), (handle, *integral, added),
                             (handle, value, added))

std::int32_t CJsonGeneratorAdapter::SaveToFileFormatted(const char16_t* file_name, std::int32_t encoding,
                                                        std::int32_t /*formatted*/) {
  IJsonGenerator* current = implementation_.get();
  return current != nullptr ? current->SaveToFileFormatted(file_name, encoding, 0) : std::int32_t{JSONFUN_FAILED};
}

std::int32_t CJsonGeneratorAdapter::AddCountedStringMember(JsonItem item, const char16_t* key,
                                                           std::u16string_view value, JsonItem* added) {
  auto* writer = dynamic_cast<ICountedTextWriter*>(implementation_.get());
  return writer != nullptr ? writer->AddCountedStringMember(item, key, value, added) : std::int32_t{JSONFUN_FAILED};
}

void CJsonGeneratorAdapter::Release() { delete this; }

}  // namespace TQJSON
