#include "zor_error.h"

CZorError CZorError::CustomSuccess() {
  CZorError error;
  error.RecordCustom(0);
  return error;
}

CZorError& CZorError::operator=(const CZorError& other) {
  if (this == &other) return *this;
  Clear();
  if (!other.Succeeded()) info_ = other.info_->Clone();
  return *this;
}

void CZorError::Clear() {
  text_.clear();
  if (info_) info_->Reset();
}

bool CZorError::IsSuccess() { return Succeeded(); }

std::uint64_t CZorError::GetErrorCode() { return Succeeded() ? 0 : info_->GetCode(); }

const char16_t* CZorError::GetErrorText() {
  text_ = info_ ? info_->GetText() : platform::WString();
  return text_.c_str();
}

int CZorError::GetMessageId() { return info_ ? static_cast<int>(info_->MessageNumber()) : 0; }

int CZorError::GetDetailCode() { return info_ ? static_cast<int>(info_->Detail()) : 0; }
