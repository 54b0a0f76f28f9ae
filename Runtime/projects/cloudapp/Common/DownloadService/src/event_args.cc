#include "event_args.h"

using ZorTqCloudAppResBuf::EN_EVENT_BEGIN;
using ZorTqCloudAppResBuf::EN_EVENT_END;
using ZorTqCloudAppResBuf::EN_EVENT_FAILED;
using ZorTqCloudAppResBuf::EN_EVENT_PROGRESS;

CDownloadBeginEventArg::CDownloadBeginEventArg(const DownloadNames& names)
    : CDownloadEventArg(EN_EVENT_BEGIN, names) {}

std::unique_ptr<CEventArg> CDownloadBeginEventArg::Clone() const {
  return std::make_unique<CDownloadBeginEventArg>(*this);
}

CDownloadProgressEventArg::CDownloadProgressEventArg(const DownloadNames& names, std::int64_t total,
                                                     std::int64_t downloaded, std::int64_t delta)
    : CDownloadEventArg(EN_EVENT_PROGRESS, names), total_(total), downloaded_(downloaded), delta_(delta) {
  SetWantsReply(true);
}

std::unique_ptr<CEventArg> CDownloadProgressEventArg::Clone() const {
  return std::make_unique<CDownloadProgressEventArg>(*this);
}

CDownloadEndEventArg::CDownloadEndEventArg(const DownloadNames& names) : CDownloadEventArg(EN_EVENT_END, names) {}

std::unique_ptr<CEventArg> CDownloadEndEventArg::Clone() const { return std::make_unique<CDownloadEndEventArg>(*this); }

CDownloadFailedEventArg::CDownloadFailedEventArg(const DownloadNames& names, const CZorError& error)
    : CDownloadEventArg(EN_EVENT_FAILED, names) {
  SetError(error);
}

std::unique_ptr<CEventArg> CDownloadFailedEventArg::Clone() const {
  return std::make_unique<CDownloadFailedEventArg>(*this);
}
