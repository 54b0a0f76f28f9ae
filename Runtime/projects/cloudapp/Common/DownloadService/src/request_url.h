// Preparing a caller's URL for libcurl with libcurl's own URL parser.
//
// The URL is trimmed and converted to UTF-8. When it parses as an http or
// https URL, characters that may not stand in a request (blanks, control
// characters, bytes of non-ASCII characters, a "%" that starts no escape)
// are percent-encoded in its path and query, existing escapes are kept,
// the fragment is dropped and the scheme's default port is left out; the
// host is reported for the proxy decision. Any other text is passed on as
// it is, with no host, and libcurl refuses it. Pure, any thread.
#pragma once

#include <string>

#include "platform/text_types.h"

struct RequestUrl {
  std::string url;         // what libcurl is given
  platform::WString host;  // "" when the URL did not parse
  bool https = false;
};

RequestUrl PrepareRequestUrl(const platform::WString& url);

// Percent-encodes what may not stand in a request target; keeps valid
// "%XX" escapes.
std::string EscapeRequestTarget(const std::string& text);
