// CZorAsyncDownload: the asynchronous downloader behind IAsyncDownload.
// Calls return once the transfer is queued; events reach the caller's
// handlers on the library's event pool.
#pragma once

#include "ZorTqCloudAppResBuf/IAsyncDownload.h"
#include "zor_download.h"
#include "zor_outside_async_event_mgr.h"

class CZorAsyncDownload : public CZorDownload, public ZorTqCloudAppResBuf::IAsyncDownload {
 public:
  CZorAsyncDownload(CZorThreadPool& workerPool, CZorThreadPool& eventPool);

  bool DownloadFile(const char16_t* url, const char16_t* fileName, const char16_t* folder, int userData) override;
  bool DownloadFile(const char16_t* url, const char16_t* fileName, const char16_t* folder) override;
  bool DownloadFileIncrement(const char16_t* url, const char16_t* fileName, const char16_t* folder, int userData,
                             std::int64_t rangeStart, std::int64_t rangeEnd) override;
  bool DownloadFileIncrement(const char16_t* url, const char16_t* fileName, const char16_t* folder,
                             std::int64_t rangeStart, std::int64_t rangeEnd) override;
  ZorTqCloudAppResBuf::IEventMgr* GetEventMgr(ZorTqCloudAppResBuf::IEventMgr** out) override;

  // Also removes every handler: no later event of its transfers reaches
  // them. The library's event pool stays open for the other downloaders.
  void Shutdown() override;

 private:
  bool Download(const DownloadRequest& request);

  CZorOutsideAsyncEventMgr events_;
};
