#include "generator_input.h"

#include <optional>
#include <string>

#include "json_text_reader.h"
#include "platform/files.h"
#include "platform/wide_string.h"
#include "tqjson/json_codes.h"

namespace TQJSON {
namespace {

bool HasContainerRoot(const JsonDocument& parsed) { return parsed.IsObject() || parsed.IsArray(); }

}  // namespace

std::int32_t ParseGeneratorFile(const char16_t* file_name, JsonDocument& parsed) {
  if (file_name == nullptr) return JSONFUN_TYPE_ERROR;
  const std::optional<std::string> bytes = platform::ReadWholeFile(file_name);
  if (!bytes) return JSONFUN_TYPE_ERROR;
  const JsonParseOutcome outcome = ParseJsonBytesOrAnsi(parsed, bytes->data(), bytes->size());
  return outcome.code == 0 && HasContainerRoot(parsed) ? kJsonSuccess : JSONFUN_TYPE_ERROR;
}

std::int32_t ParseGeneratorText(const char16_t* text, JsonDocument& parsed) {
  if (text == nullptr) return JSONFUN_FAILED;
  if (ParseJsonText(parsed, text, platform::WLength(text)).code != 0) return JSONFUN_FAILED;
  return HasContainerRoot(parsed) ? kJsonSuccess : JSONFUN_TYPE_ERROR;
}

}  // namespace TQJSON
