#include "zor_async_download.h"

#include "no_throw.h"

using namespace ZorTqCloudAppResBuf;

CZorAsyncDownload::CZorAsyncDownload(CZorThreadPool& workerPool, CZorThreadPool& eventPool)
    : CZorDownload(workerPool), events_(eventPool) {}

bool CZorAsyncDownload::DownloadFile(const char16_t* url, const char16_t* fileName, const char16_t* folder,
                                     int userData) {
  return Download({url, fileName, folder, userData, false, 0, 0, kDefaultLowSpeedSeconds});
}

bool CZorAsyncDownload::DownloadFile(const char16_t* url, const char16_t* fileName, const char16_t* folder) {
  return DownloadFile(url, fileName, folder, 0);
}

bool CZorAsyncDownload::DownloadFileIncrement(const char16_t* url, const char16_t* fileName, const char16_t* folder,
                                              int userData, std::int64_t rangeStart, std::int64_t rangeEnd) {
  return Download({url, fileName, folder, userData, true, rangeStart, rangeEnd, kDefaultLowSpeedSeconds});
}

bool CZorAsyncDownload::DownloadFileIncrement(const char16_t* url, const char16_t* fileName, const char16_t* folder,
                                              std::int64_t rangeStart, std::int64_t rangeEnd) {
  return DownloadFileIncrement(url, fileName, folder, 0, rangeStart, rangeEnd);
}

IEventMgr* CZorAsyncDownload::GetEventMgr(IEventMgr** out) {
  if (out) *out = &events_;
  return &events_;
}

void CZorAsyncDownload::Shutdown() {
  CZorDownload::Shutdown();
  events_.RemoveAllHandlers();
}

bool CZorAsyncDownload::Download(const DownloadRequest& request) {
  return NoThrow(false, [&] { return Submit(MakeTransfer(request, events_)); });
}
