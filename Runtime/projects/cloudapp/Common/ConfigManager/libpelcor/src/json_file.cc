#include "json_file.h"

#include <string>

#include "libpelcor/config_result.h"
#include "platform/files.h"
#include "text_conversion.h"

namespace {

// What the C runtime's text mode makes of a file's bytes on reading.
void ApplyTextMode(std::string& bytes) {
  const std::size_t end_of_file = bytes.find('\x1A');
  if (end_of_file != std::string::npos) bytes.resize(end_of_file);
  std::size_t out = 0;
  for (std::size_t in = 0; in < bytes.size(); ++in) {
    if (bytes[in] == '\r' && in + 1 < bytes.size() && bytes[in + 1] == '\n') continue;
    bytes[out++] = bytes[in];
  }
  bytes.resize(out);
}

// The document as compact UTF-8 in one pass. False when a text holds a
// lone surrogate, which the transcoding writer refuses.
bool WriteUtf8Directly(const JsonValue& value, std::string& utf8) {
  rapidjson::GenericStringBuffer<rapidjson::UTF8<>, ThrowingAllocator> buffer;
  rapidjson::Writer<decltype(buffer), JsonEncoding, rapidjson::UTF8<>, ThrowingAllocator> writer(buffer);
  if (!value.Accept(writer)) return false;
  utf8.assign(buffer.GetString(), buffer.GetSize());
  return true;
}

bool ExistsAndCannotBeReplaced(platform::WStringView path) {
  return platform::PathExists(path) && (!platform::IsRegularFile(path) || platform::IsReadOnly(path));
}

}  // namespace

std::uint32_t LoadJsonFile(JsonDocument& document, const char16_t* path) {
  if (path == nullptr) {
    document.SetParseError(kJsonErrorNullFileName, 0);
    return CONFIG_OPEN_FAILED;
  }
  std::optional<std::string> bytes = platform::ReadWholeFile(path);
  if (!bytes) return CONFIG_OPEN_FAILED;
  ApplyTextMode(*bytes);
  if (bytes->empty()) return CONFIG_EMPTY_FILE;
  const platform::WString text = Utf8ToWide(*bytes);
  rapidjson::GenericStringStream<JsonEncoding> stream(text.c_str());
  return document.Parse<JsonEncoding>(stream) ? CONFIG_OK : CONFIG_INVALID_JSON;
}

std::uint32_t ParseJsonText(JsonDocument& document, const void* bytes, std::size_t length) {
  if (bytes == nullptr && length != 0) {
    document.SetParseError(kJsonErrorNullText, 0);
    return CONFIG_INVALID_JSON;
  }
  static const char kNoBytes[1] = {};
  rapidjson::MemoryStream memory(length != 0 ? static_cast<const char*>(bytes) : kNoBytes, length);
  rapidjson::AutoUTFInputStream<unsigned, rapidjson::MemoryStream> stream(memory);
  return document.Parse<rapidjson::AutoUTF<unsigned>>(stream) ? CONFIG_OK : CONFIG_INVALID_JSON;
}

std::uint32_t ParseWideJsonText(JsonDocument& document, const char16_t* text) {
  if (text == nullptr) {
    document.SetParseError(kJsonErrorNullText, 0);
    return CONFIG_INVALID_JSON;
  }
  rapidjson::GenericStringStream<JsonEncoding> stream(text);
  return document.Parse<JsonEncoding>(stream) ? CONFIG_OK : CONFIG_INVALID_JSON;
}

std::uint32_t SaveJsonFile(const JsonDocument& document, const char16_t* path) {
  if (path != nullptr && ExistsAndCannotBeReplaced(path)) return CONFIG_DELETE_FAILED;
  std::string utf8;
  if (!WriteUtf8Directly(document.Root(), utf8)) {
    // A lone surrogate: write the UTF-16 text, where it becomes U+FFFD.
    platform::WString text;
    if (JsonValueToText(document.Root(), text) != CONFIG_OK) return CONFIG_INVALID_JSON;
    utf8 = WideToUtf8(text);
  }
  if (path == nullptr || !platform::ReplaceFileAtomically(path, utf8)) return CONFIG_CREATE_FAILED;
  return CONFIG_OK;
}

std::uint32_t JsonValueToText(const JsonValue& value, platform::WString& text) {
  rapidjson::GenericStringBuffer<JsonEncoding, ThrowingAllocator> buffer;
  rapidjson::Writer<decltype(buffer), JsonEncoding, JsonEncoding, ThrowingAllocator> writer(buffer);
  if (!value.Accept(writer)) {
    text.clear();
    return CONFIG_INVALID_JSON;
  }
  text.assign(buffer.GetString(), buffer.GetSize() / sizeof(char16_t));
  return CONFIG_OK;
}
