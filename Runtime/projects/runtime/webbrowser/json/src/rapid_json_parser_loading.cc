// The reader's loads and its parse-error state.
#include <algorithm>
#include <limits>
#include <optional>
#include <string>

#include "json_text_reader.h"
#include "parse_error_message.h"
#include "parse_error_texts.h"
#include "platform/files.h"
#include "platform/wide_string.h"
#include "tqjson/rapid_json_parser.h"

namespace TQJSON {
namespace {

std::uint32_t ClampOffset(std::size_t offset) {
  return static_cast<std::uint32_t>(std::min<std::size_t>(offset, std::numeric_limits<std::uint32_t>::max()));
}

// The file's bytes; nullopt (with the parse error to report) when the name
// is null or the file cannot be read.
std::optional<std::string> ReadJsonFile(const char16_t* file_name, std::int32_t* error) {
  std::optional<std::string> bytes;
  if (file_name != nullptr) bytes = platform::ReadWholeFile(file_name);
  if (!bytes) *error = file_name == nullptr ? kParseErrorNullFileName : kParseErrorFileNotFound;
  return bytes;
}

}  // namespace

std::int32_t CRapidJsonParser::FailLoad(std::int32_t code) {
  parse_error_ = code;
  error_offset_ = 0;
  return 0;
}

std::int32_t CRapidJsonParser::FinishLoad(const JsonParseOutcome& outcome, bool empty_string) {
  parse_error_ = outcome.code;
  error_offset_ = ClampOffset(outcome.offset);
  if (parse_error_ == rapidjson::kParseErrorNone && !document_.IsObject() && !document_.IsArray()) {
    return FailLoad(rapidjson::kParseErrorValueInvalid);
  }
  if (parse_error_ == rapidjson::kParseErrorDocumentEmpty && empty_string) return FailLoad(kParseErrorEmptyString);
  return parse_error_ == rapidjson::kParseErrorNone ? 1 : 0;
}

std::int32_t CRapidJsonParser::LoadFromBuffer(const void* bytes, std::uint32_t size) {
  if (bytes == nullptr) return FailLoad(kParseErrorNullText);
  return FinishLoad(ParseJsonBytesOrAnsi(document_, bytes, size), true);
}

std::int32_t CRapidJsonParser::LoadFromString(const char16_t* text) {
  if (text == nullptr) return FailLoad(kParseErrorNullText);
  JsonParseOutcome outcome = ParseJsonText(document_, text, platform::WLength(text));
  // Offsets of a string count its bytes.
  outcome.offset *= sizeof(char16_t);
  return FinishLoad(outcome, true);
}

std::int32_t CRapidJsonParser::LoadFromFile(const char16_t* file_name) {
  std::int32_t error = 0;
  const std::optional<std::string> file = ReadJsonFile(file_name, &error);
  if (!file) return FailLoad(error);
  return FinishLoad(ParseJsonBytesOrAnsi(document_, file->data(), file->size()), false);
}

std::int32_t CRapidJsonParser::LoadFromFileWithMessage(const char16_t* file_name, const char16_t** message) {
  std::int32_t error = 0;
  const std::optional<std::string> file = ReadJsonFile(file_name, &error);
  if (!file) return FailLoad(error);
  const JsonParseOutcome outcome = ParseJsonBytesOrAnsi(document_, file->data(), file->size());
  if (FinishLoad(outcome, false) == 1) return 1;
  JsonParseOutcome reported = outcome;
  reported.offset = error_offset_;
  message_ = FormatParseErrorMessage(*file, reported, LookupErrorText());
  if (message != nullptr) *message = message_.c_str();
  return 0;
}

std::int32_t CRapidJsonParser::HasError() { return parse_error_ != rapidjson::kParseErrorNone ? 1 : 0; }

std::int32_t CRapidJsonParser::GetErrorOffset(std::uint32_t* offset) {
  if (offset == nullptr) return JSONFUN_FAILED;
  *offset = error_offset_;
  return kJsonSuccess;
}

std::int32_t CRapidJsonParser::GetErrorText(const char16_t** text) {
  if (text == nullptr) return JSONFUN_FAILED;
  *text = LookupErrorText();
  return kJsonSuccess;
}

const char16_t* CRapidJsonParser::LookupErrorText() {
  scratch_.Clear();
  return ParseErrorText(kSelectedParseErrorLanguage, parse_error_);
}

}  // namespace TQJSON
