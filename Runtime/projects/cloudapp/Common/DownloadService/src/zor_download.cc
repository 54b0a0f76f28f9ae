#include "zor_download.h"

#include "zor_ses_increment_dw_file.h"

using namespace ZorTqCloudAppResBuf;

namespace {

platform::WString Text(const char16_t* text) { return text ? platform::WString(text) : platform::WString(); }

}  // namespace

ISecureProtocol* CZorDownload::GetSecureProtocol(ISecureProtocol** out) {
  if (out) *out = &ssl_;
  return &ssl_;
}

IInternetProxy* CZorDownload::GetInternetProxy(IInternetProxy** out) {
  if (out) *out = &proxy_;
  return &proxy_;
}

bool CZorDownload::Stop(unsigned timeoutMs) {
  if (!poolUsed_.load()) return true;
  return pool_.Stop(timeoutMs);
}

void CZorDownload::Shutdown() {
  if (!poolUsed_.load()) return;
  pool_.Stop(0x0FFFFFFF);
  pool_.Close();
}

SessionSettings CZorDownload::Settings() const {
  SessionSettings settings;
  settings.proxy = proxy_.Snapshot();
  settings.tlsVersion = ssl_.Version();
  return settings;
}

std::unique_ptr<CZorSesGetFile> CZorDownload::MakeTransfer(const DownloadRequest& request,
                                                           CZorOutsideEventMgr& sink) const {
  DownloadNames names;
  names.fileName = Text(request.fileName);
  names.folder = Text(request.folder);
  names.url = Text(request.url);
  for (char16_t& c : names.url) {
    if (c == u'\\') c = u'/';
  }
  std::unique_ptr<CZorSesGetFile> transfer;
  if (request.ranged) {
    transfer = std::make_unique<CZorSesIncrementDWFile>(names, request.userData, request.rangeStart,
                                                        request.rangeEnd, request.lowSpeedSeconds, sink);
  } else {
    transfer = std::make_unique<CZorSesGetFile>(names, request.userData, request.lowSpeedSeconds, sink);
  }
  transfer->SetSettings(Settings());
  return transfer;
}

bool CZorDownload::Submit(std::unique_ptr<CZorSesGetFile> transfer) {
  if (!transfer) return false;
  poolUsed_.store(true);
  transfer->Prepare();
  return pool_.Submit(std::move(transfer));
}
