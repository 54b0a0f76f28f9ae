// CZorHttpUtility: the HTTP utility behind IHttpUtility. Each query runs a
// CZorSesHttpUtility on the calling thread; it never uses the worker pool.
#pragma once

#include <atomic>
#include <optional>
#include <string>

#include "ZorTqCloudAppResBuf/IHttpUtility.h"
#include "zor_download.h"
#include "zor_locked_error.h"

class CZorHttpUtility : public CZorDownload, public CZorLockedError, public ZorTqCloudAppResBuf::IHttpUtility {
 public:
  explicit CZorHttpUtility(CZorThreadPool& workerPool) : CZorDownload(workerPool) {}

  std::int64_t GetServerTime(const char16_t* url, int lowSpeedSeconds) override;
  std::int64_t GetContentLength(const char16_t* url, int lowSpeedSeconds) override;
  void SetConnectTimeout(int milliseconds) override { connectTimeoutMs_.store(milliseconds); }

  // The seconds since 1970 of a "Date" value that must be in GMT: the text
  // up to and including "GMT" is read by libcurl (-1 when it cannot be).
  // nullopt when the value holds no "GMT".
  static std::optional<std::int64_t> ParseServerDate(const std::string& value);

 private:
  std::atomic<int> connectTimeoutMs_{0};
};
