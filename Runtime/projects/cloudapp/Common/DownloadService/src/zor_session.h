// CZorSession: one HTTP(S) request over a libcurl easy handle, the base of
// the file downloads and the HTTP utility's queries.
//
// A session carries copies of its download object's proxy and TLS settings
// (taken when the request was made, never read from the object later), its
// URL, its low-speed time and its error. Start readies the handle: a
// worker's cached handle (reset) or one of its own, then every option.
// libcurl's progress and write callbacks reach OnProgress and OnWrite.
//
// Thread safety: used by one thread at a time (the caller until it is
// submitted, then one worker); only the stop request crosses threads.
#pragma once

#include <cstdint>
#include <string>

#include "curl_handle.h"
#include "platform/text_types.h"
#include "proxy_settings.h"
#include "request_url.h"
#include "zor_error.h"
#include "zor_pool_task.h"

struct SessionSettings {
  ProxySettings proxy;
  int tlsVersion = 0;
};

class CZorSession : public CZorPoolTask {
 public:
  // The receive buffer that every transfer uses.
  static constexpr long kBufferSize = 131072;
  // Redirects followed at most.
  static constexpr long kMaxRedirects = 20;

  CZorSession(platform::WString url, long lowSpeedSeconds);
  ~CZorSession() override = default;

  void SetSettings(const SessionSettings& settings) { settings_ = settings; }
  const CZorError& Error() const { return error_; }

 protected:
  // Readies the handle: the worker's (reset) when a worker is given, else
  // one owned by the session; a reset handle that refuses an option is
  // replaced by a fresh one for this and later transfers. False with the
  // error recorded: 107 when no handle can be made, 103 with libcurl's code
  // when an option is refused.
  bool Start(CZorWorker* worker);

  // Performs the request. One that failed on a reused connection before any
  // answer arrived (the server had closed the connection, or left bytes
  // beyond an earlier answer's length on it) is sent once more on a fresh
  // connection; nothing of the failed attempt reached the callbacks.
  CURLcode PerformRequest();

  CURL* Handle() const { return handle_; }
  CZorError& MutableError() { return error_; }
  // Sets one option; on failure records curl error 103 and returns false.
  template <typename T>
  bool SetOption(CURLoption option, T value) {
    const CURLcode code = curl_easy_setopt(handle_, option, value);
    if (code != CURLE_OK) error_.RecordCurl(code);
    return code == CURLE_OK;
  }
  // The last response's status; -1 when there is none.
  long ResponseCode() const;

  // libcurl's transfer-info callback: non-zero aborts the transfer.
  virtual int OnProgress(curl_off_t /*dltotal*/, curl_off_t /*dlnow*/) { return 0; }
  // libcurl's write callback: returns the bytes taken; fewer abort.
  virtual std::size_t OnWrite(const char* /*data*/, std::size_t /*bytes*/) { return 0; }

 private:
  CURL* OwnHandle();
  bool FailedBeforeAnswerOnReusedConnection(CURLcode code) const;
  // Sets every option of the request on the handle.
  bool SetUp(const RequestUrl& request);
  bool SetTransferOptions(const std::string& url);
  bool ApplyProxy(const platform::WString& host);
  static int ProgressCallback(void* session, curl_off_t dltotal, curl_off_t dlnow, curl_off_t, curl_off_t);
  static std::size_t WriteCallback(char* data, std::size_t size, std::size_t count, void* session);

  platform::WString url_;
  long lowSpeedSeconds_;
  SessionSettings settings_;
  CZorError error_ = CZorError::CustomSuccess();
  CurlHandle ownHandle_;
  CURL* handle_ = nullptr;
};
