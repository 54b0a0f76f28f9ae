#include "zor_ses_http_utility.h"

#include "http_header.h"

CZorSesHttpUtility::CZorSesHttpUtility(platform::WString url, long lowSpeedSeconds, long connectTimeoutMs)
    : CZorSession(std::move(url), lowSpeedSeconds), connectTimeoutMs_(connectTimeoutMs) {}

bool CZorSesHttpUtility::Perform() {
  if (!Start(nullptr)) return false;
  if (!SetOption(CURLOPT_NOBODY, 1L) || !SetOption(CURLOPT_HEADERDATA, this) ||
      !SetOption(CURLOPT_HEADERFUNCTION, &HeaderCallback)) {
    return false;
  }
  if (connectTimeoutMs_ >= 1 && !SetOption(CURLOPT_CONNECTTIMEOUT_MS, connectTimeoutMs_)) return false;
  const CURLcode code = curl_easy_perform(Handle());
  status_ = ResponseCode();
  if (code != CURLE_OK) {
    MutableError().RecordCurl(code);
    return false;
  }
  return true;
}

std::int64_t CZorSesHttpUtility::ContentLength() {
  curl_off_t length = -1;
  const CURLcode code = curl_easy_getinfo(Handle(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
  if (code != CURLE_OK) {
    MutableError().RecordCurl(code);
    return 0;
  }
  return length;
}

std::size_t CZorSesHttpUtility::HeaderCallback(char* data, std::size_t size, std::size_t count, void* session) {
  auto* self = static_cast<CZorSesHttpUtility*>(session);
  std::string value;
  if (!self->date_ && HeaderValue(std::string(data, size * count), "Date", &value)) self->date_ = value;
  return size * count;
}
