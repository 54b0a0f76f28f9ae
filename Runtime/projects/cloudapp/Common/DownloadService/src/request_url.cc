#include "request_url.h"

#include <curl/curl.h>

#include <memory>

#include "text_conversion.h"
#include "text_split.h"

namespace {

struct UrlDeleter {
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlDeleter>;

// A part of a parsed URL; nullopt-like "" with *present false when absent.
std::string GetPart(CURLU* url, CURLUPart part, unsigned flags, bool* present = nullptr) {
  char* text = nullptr;
  const bool ok = curl_url_get(url, part, &text, flags) == CURLUE_OK && text != nullptr;
  std::string result = ok ? text : "";
  curl_free(text);
  if (present) *present = ok;
  return result;
}

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

bool MustEscape(unsigned char c) {
  if (c <= 0x20 || c >= 0x7F) return true;
  switch (c) {
    case '"': case '<': case '>': case '\\': case '^': case '`': case '{': case '|': case '}': return true;
    default: return false;
  }
}

// Escapes the part in place; false when libcurl refuses the escaped text.
bool EscapePart(CURLU* url, CURLUPart part) {
  bool present = false;
  const std::string raw = GetPart(url, part, 0, &present);
  if (!present) return true;
  return curl_url_set(url, part, EscapeRequestTarget(raw).c_str(), 0) == CURLUE_OK;
}

}  // namespace

std::string EscapeRequestTarget(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const bool validEscape = c == '%' && i + 2 < text.size() && IsHex(text[i + 1]) && IsHex(text[i + 2]);
    if (MustEscape(c) || (c == '%' && !validEscape)) {
      escaped += '%';
      escaped += kHex[c >> 4];
      escaped += kHex[c & 0xF];
    } else {
      escaped += static_cast<char>(c);
    }
  }
  return escaped;
}

RequestUrl PrepareRequestUrl(const platform::WString& url) {
  RequestUrl prepared;
  prepared.url = ToUtf8(platform::WString(TrimBlanks(url)));
  UrlHandle parsed(curl_url());
  if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, prepared.url.c_str(), CURLU_ALLOW_SPACE) != CURLUE_OK) {
    return prepared;
  }
  const std::string scheme = GetPart(parsed.get(), CURLUPART_SCHEME, 0);
  if (scheme != "http" && scheme != "https") return prepared;
  curl_url_set(parsed.get(), CURLUPART_FRAGMENT, nullptr, 0);
  if (!EscapePart(parsed.get(), CURLUPART_PATH) || !EscapePart(parsed.get(), CURLUPART_QUERY)) return prepared;
  bool present = false;
  const std::string rebuilt = GetPart(parsed.get(), CURLUPART_URL, CURLU_NO_DEFAULT_PORT, &present);
  if (!present) return prepared;
  prepared.url = rebuilt;
  prepared.host = ToWide(GetPart(parsed.get(), CURLUPART_HOST, 0).c_str());
  prepared.https = scheme == "https";
  return prepared;
}
