// CZorDownload: what the two downloaders and the HTTP utility share: their
// proxy and TLS settings, the IDownload operations, and the way a download
// call becomes a transfer on the library's worker pool.
//
// Thread safety: any thread. Shutdown is the owner's last call.
#pragma once

#include <atomic>
#include <memory>

#include "ZorTqCloudAppResBuf/IDownload.h"
#include "zor_cfg_proxy.h"
#include "zor_cfg_ssl.h"
#include "zor_outside_event_mgr.h"
#include "zor_ses_get_file.h"
#include "zor_thread_pool.h"

// One download call's arguments. A ranged request appends to the file.
struct DownloadRequest {
  const char16_t* url;
  const char16_t* fileName;
  const char16_t* folder;
  int userData;
  bool ranged;
  std::int64_t rangeStart;
  std::int64_t rangeEnd;
  long lowSpeedSeconds;
};

class CZorDownload : public virtual ZorTqCloudAppResBuf::IDownload {
 public:
  // Low-speed time of the plain download calls.
  static constexpr long kDefaultLowSpeedSeconds = 50;

  virtual ~CZorDownload() = default;

  ZorTqCloudAppResBuf::ISecureProtocol* GetSecureProtocol(ZorTqCloudAppResBuf::ISecureProtocol** out) override;
  ZorTqCloudAppResBuf::IInternetProxy* GetInternetProxy(ZorTqCloudAppResBuf::IInternetProxy** out) override;
  bool Stop(unsigned timeoutMs) override;

  // When this object used the worker pool: stops every transfer, waiting
  // for them without limit, then closes the pool for good.
  virtual void Shutdown();

 protected:
  explicit CZorDownload(CZorThreadPool& pool) : pool_(pool) {}

  // The settings a new transfer takes with it.
  SessionSettings Settings() const;

  // Makes the transfer of a request, its events going to `sink`.
  std::unique_ptr<CZorSesGetFile> MakeTransfer(const DownloadRequest& request, CZorOutsideEventMgr& sink) const;

  // Prepares the transfer and queues it on the worker pool. False when the
  // pool refuses it (the transfer is then discarded without events).
  bool Submit(std::unique_ptr<CZorSesGetFile> transfer);

  CZorThreadPool& Pool() { return pool_; }

 private:
  CZorThreadPool& pool_;
  CZorCfgSSL ssl_;
  CZorCfgProxy proxy_;
  std::atomic<bool> poolUsed_{false};
};
