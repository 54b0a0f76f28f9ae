#include "zor_locked_error.h"

bool CZorLockedError::IsSuccess() {
  std::lock_guard<std::mutex> lock(mutex_);
  return error_.IsSuccess();
}

std::uint64_t CZorLockedError::GetErrorCode() {
  std::lock_guard<std::mutex> lock(mutex_);
  return error_.GetErrorCode();
}

const char16_t* CZorLockedError::GetErrorText() {
  std::lock_guard<std::mutex> lock(mutex_);
  return error_.GetErrorText();
}

int CZorLockedError::GetMessageId() {
  std::lock_guard<std::mutex> lock(mutex_);
  return error_.GetMessageId();
}

int CZorLockedError::GetDetailCode() {
  std::lock_guard<std::mutex> lock(mutex_);
  return error_.GetDetailCode();
}

void CZorLockedError::StoreError(const CZorError& error) {
  std::lock_guard<std::mutex> lock(mutex_);
  error_ = error;
}
