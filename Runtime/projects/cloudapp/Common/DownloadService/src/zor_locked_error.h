// CZorLockedError: the IDWError view of an object whose last outcome
// several threads may write (the synchronous downloader, the HTTP
// utility). Every access holds a lock; GetErrorText's text stays valid
// until the next call on the object from any thread.
#pragma once

#include <mutex>

#include "ZorTqCloudAppResBuf/IDWError.h"
#include "zor_error.h"

class CZorLockedError : public virtual ZorTqCloudAppResBuf::IDWError {
 public:
  bool IsSuccess() override;
  std::uint64_t GetErrorCode() override;
  const char16_t* GetErrorText() override;
  int GetMessageId() override;
  int GetDetailCode() override;

 protected:
  CZorLockedError() : error_(CZorError::CustomSuccess()) {}
  ~CZorLockedError() = default;

  void StoreError(const CZorError& error);

 private:
  std::mutex mutex_;
  CZorError error_;
};
