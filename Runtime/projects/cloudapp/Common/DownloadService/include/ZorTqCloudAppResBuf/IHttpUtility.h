// IHttpUtility: questions about a URL answered without fetching its body.
//
// Each query is one header-only (HEAD) request on the calling thread, with
// the object's proxy and TLS settings; it never uses the worker threads.
// The IDWError view holds the last query's outcome (a success included);
// a null or empty URL leaves it unchanged.
//
// Ownership: the root owns the utility. Thread safety: any thread; queries
// may run at the same time, sharing the IDWError view.
#pragma once

#include <cstdint>

#include "ZorTqCloudAppResBuf/Api.h"
#include "ZorTqCloudAppResBuf/IDWError.h"
#include "ZorTqCloudAppResBuf/IDownload.h"

namespace ZorTqCloudAppResBuf {

class ZOR_INTERFACE IHttpUtility : public virtual IDWError, public virtual IDownload {
 public:
  // The server's clock from the "Date" header (which must be in GMT), in
  // seconds since 1970-01-01 UTC, whatever the status. 0 for a null or empty
  // URL, a failed request, or no usable "Date" header (message 108); -1 for
  // a date text that cannot be read. lowSpeedSeconds: below 1 byte/s for
  // that long fails the request.
  virtual std::int64_t GetServerTime(const char16_t* url, int lowSpeedSeconds) = 0;
  // The resource's length from a status-200 answer; -1 when the server
  // gives none; 0 for a null or empty URL, a failed request or another
  // status (message 106 with the status).
  virtual std::int64_t GetContentLength(const char16_t* url, int lowSpeedSeconds) = 0;
  // Connect time-out in milliseconds for later GetServerTime requests;
  // values below 1 leave libcurl's own.
  virtual void SetConnectTimeout(int milliseconds) = 0;

 protected:
  ~IHttpUtility() = default;
};

}  // namespace ZorTqCloudAppResBuf
