// CZorSyncDownload: the synchronous downloader behind ISyncDownload. The
// calling thread pumps its own transfer's events until the transfer ends;
// on a time-out it stops the transfer and still waits for its last event.
#pragma once

#include "ZorTqCloudAppResBuf/ISyncDownload.h"
#include "zor_download.h"
#include "zor_locked_error.h"
#include "zor_outside_sync_event_mgr.h"

class CZorSyncDownload : public CZorDownload, public CZorLockedError, public ZorTqCloudAppResBuf::ISyncDownload {
 public:
  explicit CZorSyncDownload(CZorThreadPool& workerPool) : CZorDownload(workerPool) {}

  bool DownloadFile(const char16_t* url, const char16_t* fileName, const char16_t* folder, int userData,
                    unsigned timeoutSeconds) override;
  bool DownloadFile(const char16_t* url, const char16_t* fileName, const char16_t* folder,
                    unsigned timeoutSeconds) override;
  bool DownloadFileIncrement(const char16_t* url, const char16_t* fileName, const char16_t* folder, int userData,
                             std::int64_t rangeStart, std::int64_t rangeEnd, unsigned timeoutSeconds) override;
  bool DownloadFileIncrement(const char16_t* url, const char16_t* fileName, const char16_t* folder,
                             std::int64_t rangeStart, std::int64_t rangeEnd, unsigned timeoutSeconds) override;
  ZorTqCloudAppResBuf::IEventMgr* GetEventMgr(ZorTqCloudAppResBuf::IEventMgr** out) override;

 private:
  bool Download(const DownloadRequest& request, unsigned timeoutSeconds);
  // Submits the transfer and pumps its events; the outcome, message 109
  // when the worker pool is closed and refuses the transfer.
  CZorError Run(std::unique_ptr<CZorSesGetFile> transfer, unsigned timeoutSeconds);

  CZorOutsideSyncEventMgr events_;
};
