#include "packed_id.h"

namespace Kestrun {

void PackId(CefRefPtr<CefListValue> list, std::int64_t identifier) {
  std::uint8_t bytes[kPackedIdSize] = {0};
  const auto bits = static_cast<std::uint64_t>(identifier);
  for (std::size_t i = 1; i < kPackedIdSize; ++i) bytes[i] = static_cast<std::uint8_t>(bits >> (8 * (i - 1)));
  list->SetBinary(0, CefBinaryValue::Create(bytes, sizeof bytes));
}

std::int64_t ReadPackedId(CefRefPtr<CefListValue> list) {
  CefRefPtr<CefBinaryValue> packed = list->GetBinary(0);
  std::uint8_t bytes[8] = {0};
  if (packed) packed->GetData(bytes, sizeof bytes, 1);
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < sizeof bytes; ++i) bits |= std::uint64_t{bytes[i]} << (8 * i);
  return static_cast<std::int64_t>(bits);
}

}  // namespace Kestrun
