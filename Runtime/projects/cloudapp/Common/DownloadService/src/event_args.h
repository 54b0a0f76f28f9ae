// Event arguments: CEventArg and the four download kinds behind the
// IEventArg views. A transfer builds one, and the event manager delivers a
// Clone of it. Every argument carries the number of the transfer that
// raised it, which files progress arguments as replies for that transfer.
//
// Not locked: an argument is used by one thread at a time, handed over
// through the managers' locked queues.
#pragma once

#include <cstdint>
#include <memory>

#include "ZorTqCloudAppResBuf/IEventArg.h"
#include "platform/text_types.h"
#include "zor_error.h"

class CEventArg : public virtual ZorTqCloudAppResBuf::IEventArg {
 public:
  virtual ~CEventArg() = default;

  int GetEventType() override { return eventType_; }
  int GetEventKind() override { return eventType_; }
  int GetUserData() override { return userData_; }

  void SetUserData(int userData) { userData_ = userData; }
  // A copy of the whole argument (same class, every field).
  virtual std::unique_ptr<CEventArg> Clone() const = 0;

  std::uint64_t SessionId() const { return sessionId_; }
  void SetSessionId(std::uint64_t id) { sessionId_ = id; }
  // Progress arguments travel back to their transfer after delivery.
  bool WantsReply() const { return wantsReply_; }
  void SetWantsReply(bool wants) { wantsReply_ = wants; }

  const CZorError& Error() const { return error_; }
  void SetError(const CZorError& error) { error_ = error; }

 protected:
  explicit CEventArg(int eventType) : eventType_(eventType) {}
  CEventArg(const CEventArg&) = default;

  CZorError& MutableError() { return error_; }

 private:
  std::uint64_t sessionId_ = 0;
  int eventType_;
  int userData_ = 0;
  bool wantsReply_ = false;
  CZorError error_;
};

// What the four download events share: the transfer's names.
struct DownloadNames {
  platform::WString fileName;
  platform::WString folder;
  platform::WString url;
  platform::WString localPath;
};

class CDownloadEventArg : public CEventArg, public virtual ZorTqCloudAppResBuf::IDownloadEventArg {
 public:
  const char16_t* GetFileName() override { return names_.fileName.c_str(); }
  const char16_t* GetFolder() override { return names_.folder.c_str(); }
  const char16_t* GetLocalPath() override { return names_.localPath.c_str(); }
  const char16_t* GetUrl() override { return names_.url.c_str(); }

 protected:
  CDownloadEventArg(int eventType, const DownloadNames& names) : CEventArg(eventType), names_(names) {}
  CDownloadEventArg(const CDownloadEventArg&) = default;

 private:
  DownloadNames names_;
};

class CDownloadBeginEventArg : public CDownloadEventArg, public ZorTqCloudAppResBuf::IDownloadBeginEventArg {
 public:
  explicit CDownloadBeginEventArg(const DownloadNames& names);
  std::unique_ptr<CEventArg> Clone() const override;
};

class CDownloadProgressEventArg : public CDownloadEventArg, public ZorTqCloudAppResBuf::IDownloadProgressEventArg {
 public:
  CDownloadProgressEventArg(const DownloadNames& names, std::int64_t total, std::int64_t downloaded,
                            std::int64_t delta);
  std::unique_ptr<CEventArg> Clone() const override;

  std::int64_t GetTotalBytes() override { return total_; }
  std::int64_t GetDownloadedBytes() override { return downloaded_; }
  std::int64_t GetDeltaBytes() override { return delta_; }
  void SetCancel(bool cancel) override { cancel_ = cancel; }
  bool IsCancel() override { return cancel_; }

 private:
  bool cancel_ = false;
  std::int64_t total_;
  std::int64_t downloaded_;
  std::int64_t delta_;
};

class CDownloadEndEventArg : public CDownloadEventArg, public ZorTqCloudAppResBuf::IDownloadEndEventArg {
 public:
  explicit CDownloadEndEventArg(const DownloadNames& names);
  std::unique_ptr<CEventArg> Clone() const override;
};

// The failed event; its IDWError view reads the argument's error.
class CDownloadFailedEventArg : public CDownloadEventArg,
                                public ZorTqCloudAppResBuf::IDownloadFailedEventArg,
                                public ZorTqCloudAppResBuf::IDWError {
 public:
  CDownloadFailedEventArg(const DownloadNames& names, const CZorError& error);
  std::unique_ptr<CEventArg> Clone() const override;

  bool IsSuccess() override { return MutableError().IsSuccess(); }
  std::uint64_t GetErrorCode() override { return MutableError().GetErrorCode(); }
  const char16_t* GetErrorText() override { return MutableError().GetErrorText(); }
  int GetMessageId() override { return MutableError().GetMessageId(); }
  int GetDetailCode() override { return MutableError().GetDetailCode(); }
};
