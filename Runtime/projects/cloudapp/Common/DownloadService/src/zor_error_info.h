// CZorErrorInfo: one recorded error, of one of four kinds, with its 64-bit
// code (message number in the high half, detail code in the low half).
// Values on the heap, owned by one CZorError; not locked.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/text_types.h"

class CZorErrorInfo {
 public:
  enum Kind { kNone = 0, kCurl = 1, kHttp = 2, kRuntime = 3, kCustom = 5 };

  virtual ~CZorErrorInfo() = default;

  bool IsSuccess() const { return code_ == 0; }
  std::uint64_t GetCode() const { return code_; }
  int GetKind() const { return kind_; }
  unsigned MessageNumber() const { return static_cast<unsigned>(code_ >> 32); }
  std::uint32_t Detail() const { return static_cast<std::uint32_t>(code_); }

  // The localised message; formatted with the detail when that is not 0,
  // else returned with its placeholders.
  virtual platform::WString GetText() const;
  virtual std::unique_ptr<CZorErrorInfo> Clone() const = 0;

  void Reset() { Set(kNone, 0); }
  void Set(int kind, std::uint64_t code) {
    kind_ = kind;
    SetCode(code);
  }
  virtual void SetCode(std::uint64_t code) { code_ = code; }
  void SetMessage(unsigned messageNumber, std::uint32_t detail) {
    SetCode((static_cast<std::uint64_t>(messageNumber) << 32) | detail);
  }

 protected:
  CZorErrorInfo(int kind, std::uint64_t code) : kind_(kind), code_(code) {}
  CZorErrorInfo(const CZorErrorInfo&) = default;

 private:
  int kind_;
  std::uint64_t code_;
};

// A failed libcurl call: message 103 with libcurl's result code; the text
// begins with libcurl's own description of the code.
class CZorErrorInfoCurl : public CZorErrorInfo {
 public:
  explicit CZorErrorInfoCurl(int curlCode);
  platform::WString GetText() const override;
  std::unique_ptr<CZorErrorInfo> Clone() const override;
  void SetCode(std::uint64_t code) override;

 private:
  platform::WString curlText_;
};

// An HTTP status that the transfer does not accept: message 106.
class CZorErrorInfoHttp : public CZorErrorInfo {
 public:
  explicit CZorErrorInfoHttp(int status);
  std::unique_ptr<CZorErrorInfo> Clone() const override;
};

// A system error (errno) on the local file: message 104.
class CZorErrorInfoRuntime : public CZorErrorInfo {
 public:
  explicit CZorErrorInfoRuntime(int systemError);
  std::unique_ptr<CZorErrorInfo> Clone() const override;
};

// A failure of the library's own (messages 102, 105, 107 to 110; detail 0),
// or with message 0 the success of a fresh error object.
class CZorErrorInfoCustom : public CZorErrorInfo {
 public:
  explicit CZorErrorInfoCustom(unsigned messageNumber);
  std::unique_ptr<CZorErrorInfo> Clone() const override;
};
