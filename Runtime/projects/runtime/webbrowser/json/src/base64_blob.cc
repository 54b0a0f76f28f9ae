#include "base64_blob.h"

#include <cstring>
#include <string_view>

#include "platform/base64.h"
#include "tqjson/json_codes.h"

namespace TQJSON {

std::int32_t DecodeBase64Blob(ScratchBuffer& scratch, const char16_t* text, const std::uint8_t** data,
                              std::uint32_t* size) {
  if (text == nullptr || data == nullptr || size == nullptr) return JSONFUN_FAILED;
  const auto decoded = platform::Base64Decode(text);
  if (!decoded) return JSONFUN_TYPE_ERROR;
  std::uint8_t* bytes = scratch.ZeroFilled(decoded->size());
  std::memcpy(bytes, decoded->data(), decoded->size());
  *data = bytes;
  // A string holds fewer than 2^32 units, so its decoded bytes fit.
  *size = static_cast<std::uint32_t>(decoded->size());
  return kJsonSuccess;
}

std::int32_t EncodeBase64Blob(ScratchBuffer& scratch, const void* data, std::uint32_t size, const char16_t** text) {
  if (data == nullptr || text == nullptr) return JSONFUN_FAILED;
  const platform::WString encoded = platform::Base64Encode(std::string_view(static_cast<const char*>(data), size));
  const std::size_t units = encoded.size() + 1;
  std::uint8_t* bytes = scratch.ZeroFilled(units * sizeof(char16_t));
  std::memcpy(bytes, encoded.c_str(), units * sizeof(char16_t));
  *text = reinterpret_cast<const char16_t*>(bytes);
  return kJsonSuccess;
}

}  // namespace TQJSON
