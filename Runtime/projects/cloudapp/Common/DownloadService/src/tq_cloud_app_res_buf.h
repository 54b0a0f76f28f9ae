// CTqCloudAppResBuf: the root object behind ITqCloudAppResBuf. It makes
// each download object on first request and owns it; Release shuts them
// down (synchronous downloader, asynchronous downloader, HTTP utility) and
// frees everything.
#pragma once

#include <memory>

#include "ZorTqCloudAppResBuf/ITqCloudAppResBuf.h"
#include "zor_async_download.h"
#include "zor_http_utility.h"
#include "zor_library.h"
#include "zor_sync_download.h"

class CTqCloudAppResBuf : public ZorTqCloudAppResBuf::ITqCloudAppResBuf {
 public:
  explicit CTqCloudAppResBuf(CZorLibrary& library) : library_(library) {}
  virtual ~CTqCloudAppResBuf();

  ZorTqCloudAppResBuf::IAsyncDownload* GetAsyncDownload(ZorTqCloudAppResBuf::IAsyncDownload** out) override;
  ZorTqCloudAppResBuf::ISyncDownload* GetSyncDownload(ZorTqCloudAppResBuf::ISyncDownload** out) override;
  ZorTqCloudAppResBuf::IHttpUtility* GetHttpUtility(ZorTqCloudAppResBuf::IHttpUtility** out) override;
  bool IsValid() override { return true; }
  void Release() override { delete this; }

 private:
  CZorLibrary& library_;
  std::unique_ptr<CZorSyncDownload> sync_;
  std::unique_ptr<CZorAsyncDownload> async_;
  std::unique_ptr<CZorHttpUtility> utility_;
};
