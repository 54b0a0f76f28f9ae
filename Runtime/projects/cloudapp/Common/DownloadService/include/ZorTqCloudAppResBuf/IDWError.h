// IDWError: the error of the last failed operation of an object.
//
// The 64-bit code packs a message number in its high half and a detail code
// in its low half; 0 means success. The message numbers are the library's
// string resources, shown in English or Chinese (LUMARINE_LANG, else LC_ALL,
// LC_MESSAGES, LANG: a value beginning "zh" gives Chinese).
//
// Ownership: the object that hands out an IDWError owns it; the caller never
// frees it. Thread safety: see the owning interface.
#pragma once

#include <cstdint>

#include "ZorTqCloudAppResBuf/Api.h"

namespace ZorTqCloudAppResBuf {

// Message numbers (the high half of an error code).
enum EN_ResBufMessage {
  EN_MSG_INIT_FAILED = 101,       // "Initialization failed."
  EN_MSG_TIMED_OUT = 102,         // no event for the caller's time-out; detail 0
  EN_MSG_CURL = 103,              // a libcurl call failed; detail: libcurl's code
  EN_MSG_RUNTIME = 104,           // the local file could not be opened or emptied; detail: errno (EACCES: read-only)
  EN_MSG_CANCELLED = 105,         // stopped, cancelled or dropped; detail 0
  EN_MSG_HTTP = 106,              // status not accepted; detail: the HTTP status
  EN_MSG_NO_HANDLE = 107,         // no libcurl handle could be made; detail 0
  EN_MSG_NO_SERVER_TIME = 108,    // no usable "Date" header; detail 0
  EN_MSG_SHUT_DOWN = 109,         // refused: the library's threads are closed until it is reloaded; detail 0
  EN_MSG_FILE_LOST = 110,         // the local file was removed or replaced during the transfer; detail 0
};

class ZOR_INTERFACE IDWError {
 public:
  // True when no failure is recorded.
  virtual bool IsSuccess() = 0;
  // 0 on success, else message number * 2^32 + detail code.
  virtual std::uint64_t GetErrorCode() = 0;
  // The localised message, formatted with the detail code when that is not
  // 0; "" on success without a recorded message. The text belongs to this
  // object and stays valid until the next call on it or its destruction.
  virtual const char16_t* GetErrorText() = 0;
  // The high and low halves of the code; 0 when nothing is recorded.
  virtual int GetMessageId() = 0;
  virtual int GetDetailCode() = 0;

 protected:
  ~IDWError() = default;
};

}  // namespace ZorTqCloudAppResBuf
