#include "zor_sync_download.h"

#include "no_throw.h"
#include "platform/wide_string.h"

using namespace ZorTqCloudAppResBuf;

bool CZorSyncDownload::DownloadFile(const char16_t* url, const char16_t* fileName, const char16_t* folder,
                                    int userData, unsigned timeoutSeconds) {
  return Download({url, fileName, folder, userData, false, 0, 0, kDefaultLowSpeedSeconds}, timeoutSeconds);
}

bool CZorSyncDownload::DownloadFile(const char16_t* url, const char16_t* fileName, const char16_t* folder,
                                    unsigned timeoutSeconds) {
  return DownloadFile(url, fileName, folder, 0, timeoutSeconds);
}

bool CZorSyncDownload::DownloadFileIncrement(const char16_t* url, const char16_t* fileName, const char16_t* folder,
                                             int userData, std::int64_t rangeStart, std::int64_t rangeEnd,
                                             unsigned timeoutSeconds) {
  return Download({url, fileName, folder, userData, true, rangeStart, rangeEnd, static_cast<long>(timeoutSeconds)},
                  timeoutSeconds);
}

bool CZorSyncDownload::DownloadFileIncrement(const char16_t* url, const char16_t* fileName, const char16_t* folder,
                                             std::int64_t rangeStart, std::int64_t rangeEnd,
                                             unsigned timeoutSeconds) {
  return DownloadFileIncrement(url, fileName, folder, 0, rangeStart, rangeEnd, timeoutSeconds);
}

IEventMgr* CZorSyncDownload::GetEventMgr(IEventMgr** out) {
  if (out) *out = &events_;
  return &events_;
}

bool CZorSyncDownload::Download(const DownloadRequest& request, unsigned timeoutSeconds) {
  if (platform::WLength(request.url) == 0 || platform::WLength(request.fileName) == 0 ||
      platform::WLength(request.folder) == 0) {
    return false;
  }
  return NoThrow(false, [&] {
    const CZorError outcome = Run(MakeTransfer(request, events_), timeoutSeconds);
    if (outcome.Succeeded()) return true;
    StoreError(outcome);
    return false;
  });
}

CZorError CZorSyncDownload::Run(std::unique_ptr<CZorSesGetFile> transfer, unsigned timeoutSeconds) {
  const std::uint64_t serial = transfer->Serial();
  events_.OpenQueue(serial);
  if (!Submit(std::move(transfer))) {
    events_.CloseQueue(serial);
    CZorError refused;
    refused.RecordCustom(EN_MSG_SHUT_DOWN);
    return refused;
  }
  CZorError outcome = events_.Pump(serial, timeoutSeconds);
  if (outcome.GetMessageId() == EN_MSG_TIMED_OUT) {
    // Stop the transfer and deliver its last event before returning.
    Pool().Cancel(serial);
    events_.Pump(serial, CZorOutsideSyncEventMgr::kNoTimeout);
  }
  events_.CloseQueue(serial);
  return outcome;
}
