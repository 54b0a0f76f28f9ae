// CZorSesHttpUtility: one header-only (HEAD) request on the calling
// thread, with a handle of its own, for the HTTP utility. It keeps the
// first "Date" header's value and the final status.
#pragma once

#include <optional>
#include <string>

#include "zor_session.h"

class CZorSesHttpUtility : public CZorSession {
 public:
  CZorSesHttpUtility(platform::WString url, long lowSpeedSeconds, long connectTimeoutMs);

  // Starts and performs the request. False with the error recorded (107,
  // or 103 with libcurl's code).
  bool Perform();

  long Status() const { return status_; }
  // The first "Date" header's value (any response of a redirect chain);
  // nullopt when there was none.
  const std::optional<std::string>& DateValue() const { return date_; }
  // The length the final answer announced; -1 when unknown.
  std::int64_t ContentLength();

  void Run(CZorWorker&) override {}
  void Finish() override {}

 private:
  static std::size_t HeaderCallback(char* data, std::size_t size, std::size_t count, void* session);

  long connectTimeoutMs_;
  long status_ = 200;
  std::optional<std::string> date_;
};
