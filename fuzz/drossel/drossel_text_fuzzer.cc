// libdrossel's parsers of outside text: the registry's proxy strings and
// bypass list, URLs handed in by the caller, and the header lines that a
// server sends (Date, Content-Range).
#include <cstddef>
#include <cstdint>
#include <string>

#include "http_header.h"
#include "platform/unicode.h"
#include "request_url.h"
#include "system_proxy.h"
#include "zor_http_utility.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const platform::WString text = platform::Utf8ToUtf16(bytes);

  ProxySettings proxy = ChooseSystemProxy(text);
  proxy.bypass = text;
  proxy.IsBypassed(text.substr(0, text.size() / 2));

  PrepareRequestUrl(text);
  EscapeRequestTarget(bytes);

  std::string value;
  if (HeaderValue(bytes, "Date", &value)) CZorHttpUtility::ParseServerDate(value);
  HeaderValue(bytes, "Content-Range", &value);
  return 0;
}
