#include "zor_session.h"

#include "platform/wide_string.h"
#include "request_url.h"
#include "text_conversion.h"
#include "zor_cfg_ssl.h"

namespace {

constexpr char kUserAgent[] =
    "Mozilla/5.0 (Windows NT 10.0; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/83.0.4103.116 "
    "Safari/537.36";
constexpr char kSchemes[] = "http,https";

bool IsLoopbackHost(platform::WStringView host) {
  return platform::WEqualsNoCase(host, u"localhost") || host == u"127.0.0.1";
}

long CurlProxyType(int type) {
  switch (type) {
    case 1: return CURLPROXY_HTTP;
    case 2: return CURLPROXY_SOCKS4A;
    case 3: return CURLPROXY_SOCKS5_HOSTNAME;
    default: return -1;
  }
}

}  // namespace

CZorSession::CZorSession(platform::WString url, long lowSpeedSeconds)
    : url_(std::move(url)), lowSpeedSeconds_(lowSpeedSeconds) {}

bool CZorSession::Start(CZorWorker* worker) {
  const RequestUrl request = PrepareRequestUrl(url_);
  bool reused = false;
  handle_ = worker ? worker->Handle(&reused) : OwnHandle();
  if (SetUp(request)) return true;
  if (!reused) return false;
  // A reset handle still holds what earlier transfers left in it: after one
  // that libcurl refused before any data moved (a malformed URL, another
  // scheme, an unknown host, a redirect to another scheme) it keeps its
  // receive buffer and refuses CURLOPT_BUFFERSIZE until a transfer runs on
  // it. No transfer may depend on an earlier one, so this one starts over
  // on a fresh handle, which the worker keeps from now on.
  error_.Clear();
  handle_ = worker->FreshHandle();
  return SetUp(request);
}

CURL* CZorSession::OwnHandle() {
  ownHandle_.reset(curl_easy_init());
  return ownHandle_.get();
}

bool CZorSession::SetUp(const RequestUrl& request) {
  if (!handle_) {
    error_.RecordCustom(107);
    return false;
  }
  if (!SetTransferOptions(request.url) || !ApplyProxy(request.host)) return false;
  return !request.https || SetOption(CURLOPT_SSLVERSION, CurlSslVersion(settings_.tlsVersion));
}

bool CZorSession::SetTransferOptions(const std::string& url) {
  return SetOption(CURLOPT_SSL_VERIFYPEER, 0L) && SetOption(CURLOPT_SSL_VERIFYHOST, 0L) &&
         SetOption(CURLOPT_URL, url.c_str()) && SetOption(CURLOPT_HTTPGET, 1L) &&
         SetOption(CURLOPT_PROTOCOLS_STR, kSchemes) && SetOption(CURLOPT_REDIR_PROTOCOLS_STR, kSchemes) &&
         SetOption(CURLOPT_FOLLOWLOCATION, 1L) && SetOption(CURLOPT_MAXREDIRS, kMaxRedirects) &&
         SetOption(CURLOPT_LOW_SPEED_LIMIT, 1L) && SetOption(CURLOPT_LOW_SPEED_TIME, lowSpeedSeconds_) &&
         SetOption(CURLOPT_NOSIGNAL, 1L) && SetOption(CURLOPT_NOPROGRESS, 0L) &&
         SetOption(CURLOPT_XFERINFODATA, this) && SetOption(CURLOPT_XFERINFOFUNCTION, &ProgressCallback) &&
         SetOption(CURLOPT_WRITEDATA, this) && SetOption(CURLOPT_WRITEFUNCTION, &WriteCallback) &&
         SetOption(CURLOPT_USERAGENT, kUserAgent) && SetOption(CURLOPT_BUFFERSIZE, kBufferSize);
}

// The caller's proxy choice always wins over the environment's proxy
// variables: without a proxy, CURLOPT_PROXY is set to "".
bool CZorSession::ApplyProxy(const platform::WString& host) {
  const ProxySettings& proxy = settings_.proxy;
  const bool use = proxy.IsSet() && !IsLoopbackHost(host) && !proxy.IsBypassed(host);
  if (!use) return SetOption(CURLOPT_PROXY, "");
  const long type = CurlProxyType(proxy.type);
  if (type < 0) {
    error_.RecordCurl(0);
    return false;
  }
  return SetOption(CURLOPT_PROXY, ToMultiByte(proxy.address.c_str()).c_str()) && SetOption(CURLOPT_PROXYTYPE, type);
}

CURLcode CZorSession::PerformRequest() {
  const CURLcode code = curl_easy_perform(handle_);
  if (!FailedBeforeAnswerOnReusedConnection(code)) return code;
  if (curl_easy_setopt(handle_, CURLOPT_FRESH_CONNECT, 1L) != CURLE_OK) return code;
  return curl_easy_perform(handle_);
}

// A request was sent (its bytes counted) while no new connection was made,
// and no status line came back. Aborts and time-outs are not retried.
bool CZorSession::FailedBeforeAnswerOnReusedConnection(CURLcode code) const {
  if (code == CURLE_OK || code == CURLE_ABORTED_BY_CALLBACK || code == CURLE_OPERATION_TIMEDOUT) return false;
  if (!error_.Succeeded() || ResponseCode() != 0) return false;
  long connections = -1;
  long requestBytes = 0;
  return curl_easy_getinfo(handle_, CURLINFO_NUM_CONNECTS, &connections) == CURLE_OK && connections == 0 &&
         curl_easy_getinfo(handle_, CURLINFO_REQUEST_SIZE, &requestBytes) == CURLE_OK && requestBytes > 0;
}

long CZorSession::ResponseCode() const {
  long status = -1;
  if (curl_easy_getinfo(handle_, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK) return -1;
  return status;
}

int CZorSession::ProgressCallback(void* session, curl_off_t dltotal, curl_off_t dlnow, curl_off_t, curl_off_t) {
  return static_cast<CZorSession*>(session)->OnProgress(dltotal, dlnow);
}

std::size_t CZorSession::WriteCallback(char* data, std::size_t size, std::size_t count, void* session) {
  return static_cast<CZorSession*>(session)->OnWrite(data, size * count);
}
