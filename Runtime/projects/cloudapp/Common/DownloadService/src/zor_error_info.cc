#include "zor_error_info.h"

#include <curl/curl.h>

#include "messages.h"
#include "platform/format.h"
#include "text_conversion.h"

namespace {

std::uint64_t PackCode(unsigned messageNumber, std::uint32_t detail) {
  return (static_cast<std::uint64_t>(messageNumber) << 32) | detail;
}

}  // namespace

platform::WString CZorErrorInfo::GetText() const {
  platform::WString text = LoadMessageText(MessageNumber());
  if (Detail() == 0) return text;
  return platform::Format(text, {static_cast<std::int32_t>(Detail())});
}

CZorErrorInfoCurl::CZorErrorInfoCurl(int curlCode) : CZorErrorInfo(kCurl, 0) {
  SetCode(PackCode(103, static_cast<std::uint32_t>(curlCode)));
}

void CZorErrorInfoCurl::SetCode(std::uint64_t code) {
  CZorErrorInfo::SetCode(code);
  curlText_ = ToWide(curl_easy_strerror(static_cast<CURLcode>(Detail())));
}

platform::WString CZorErrorInfoCurl::GetText() const {
  platform::WString text = LoadMessageText(MessageNumber());
  if (Detail() == 0) return text;
  return platform::Format(text, {curlText_, static_cast<std::int32_t>(Detail())});
}

std::unique_ptr<CZorErrorInfo> CZorErrorInfoCurl::Clone() const { return std::make_unique<CZorErrorInfoCurl>(*this); }

CZorErrorInfoHttp::CZorErrorInfoHttp(int status) : CZorErrorInfo(kHttp, PackCode(106, static_cast<std::uint32_t>(status))) {}

std::unique_ptr<CZorErrorInfo> CZorErrorInfoHttp::Clone() const { return std::make_unique<CZorErrorInfoHttp>(*this); }

CZorErrorInfoRuntime::CZorErrorInfoRuntime(int systemError)
    : CZorErrorInfo(kRuntime, PackCode(104, static_cast<std::uint32_t>(systemError))) {}

std::unique_ptr<CZorErrorInfo> CZorErrorInfoRuntime::Clone() const {
  return std::make_unique<CZorErrorInfoRuntime>(*this);
}

CZorErrorInfoCustom::CZorErrorInfoCustom(unsigned messageNumber) : CZorErrorInfo(kCustom, PackCode(messageNumber, 0)) {}

std::unique_ptr<CZorErrorInfo> CZorErrorInfoCustom::Clone() const {
  return std::make_unique<CZorErrorInfoCustom>(*this);
}
