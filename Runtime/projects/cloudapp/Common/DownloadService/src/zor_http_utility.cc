#include "zor_http_utility.h"

#include <curl/curl.h>

#include "no_throw.h"
#include "platform/wide_string.h"
#include "zor_ses_http_utility.h"

using namespace ZorTqCloudAppResBuf;

namespace {

platform::WString QueryUrl(const char16_t* url) {
  platform::WString copy(url);
  for (char16_t& c : copy) {
    if (c == u'\\') c = u'/';
  }
  return copy;
}

}  // namespace

std::optional<std::int64_t> CZorHttpUtility::ParseServerDate(const std::string& value) {
  const std::size_t gmt = value.find("GMT");
  if (gmt == std::string::npos) return std::nullopt;
  return static_cast<std::int64_t>(curl_getdate(value.substr(0, gmt + 3).c_str(), nullptr));
}

std::int64_t CZorHttpUtility::GetServerTime(const char16_t* url, int lowSpeedSeconds) {
  if (platform::WLength(url) == 0) return 0;
  return NoThrow<std::int64_t>(0, [&]() -> std::int64_t {
    CZorSesHttpUtility session(QueryUrl(url), lowSpeedSeconds, connectTimeoutMs_.load());
    session.SetSettings(Settings());
    std::int64_t seconds = 0;
    CZorError outcome = session.Error();
    if (session.Perform()) {
      const std::optional<std::int64_t> parsed =
          session.DateValue() ? ParseServerDate(*session.DateValue()) : std::nullopt;
      if (parsed) {
        seconds = *parsed;
      } else {
        outcome.RecordCustom(EN_MSG_NO_SERVER_TIME);
      }
    } else {
      outcome = session.Error();
    }
    StoreError(outcome);
    return seconds;
  });
}

std::int64_t CZorHttpUtility::GetContentLength(const char16_t* url, int lowSpeedSeconds) {
  if (platform::WLength(url) == 0) return 0;
  return NoThrow<std::int64_t>(0, [&]() -> std::int64_t {
    CZorSesHttpUtility session(QueryUrl(url), lowSpeedSeconds, 0);
    session.SetSettings(Settings());
    std::int64_t length = 0;
    CZorError outcome = session.Error();
    if (!session.Perform()) {
      outcome = session.Error();
    } else if (session.Status() == 200) {
      length = session.ContentLength();
      outcome = session.Error();
    } else {
      outcome.RecordHttp(static_cast<int>(session.Status()));
    }
    StoreError(outcome);
    return length;
  });
}
