// CZorError: the error object behind IDWError. Holds at most one error
// info; none, or an info whose code is 0, reads as success.
//
// Not locked: an object is written by the code that owns it before others
// read it (event arguments), or guarded by its owner (LockedError).
#pragma once

#include <memory>

#include "ZorTqCloudAppResBuf/IDWError.h"
#include "zor_error_info.h"

class CZorError : public ZorTqCloudAppResBuf::IDWError {
 public:
  CZorError() = default;
  // Holds a custom info with code 0: a success with a recorded kind.
  static CZorError CustomSuccess();

  CZorError(const CZorError& other) { *this = other; }
  // The target's text is cleared; a success source leaves the target a
  // success, otherwise the target gets a copy of the source's info.
  CZorError& operator=(const CZorError& other);
  virtual ~CZorError() = default;

  bool IsSuccess() override;
  std::uint64_t GetErrorCode() override;
  const char16_t* GetErrorText() override;
  int GetMessageId() override;
  int GetDetailCode() override;

  bool Succeeded() const { return !info_ || info_->IsSuccess(); }
  std::uint64_t Code() const { return info_ ? info_->GetCode() : 0; }

  // Replaces the recorded info.
  void Record(std::unique_ptr<CZorErrorInfo> info) { info_ = std::move(info); }
  void RecordCurl(int curlCode) { Record(std::make_unique<CZorErrorInfoCurl>(curlCode)); }
  void RecordHttp(int status) { Record(std::make_unique<CZorErrorInfoHttp>(status)); }
  void RecordRuntime(int systemError) { Record(std::make_unique<CZorErrorInfoRuntime>(systemError)); }
  void RecordCustom(unsigned messageNumber) { Record(std::make_unique<CZorErrorInfoCustom>(messageNumber)); }
  // Clears the text and resets the info to kind 0, code 0.
  void Clear();

 private:
  platform::WString text_;
  std::unique_ptr<CZorErrorInfo> info_;
};
