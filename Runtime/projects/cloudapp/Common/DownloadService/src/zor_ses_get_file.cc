#include "zor_ses_get_file.h"

#include <cerrno>

#include "ZorTqCloudAppResBuf/IDWError.h"
#include "platform/files.h"

using namespace ZorTqCloudAppResBuf;

CZorSesGetFile::CZorSesGetFile(const DownloadNames& names, int userData, long lowSpeedSeconds,
                               CZorOutsideEventMgr& sink)
    : CZorSession(names.url, lowSpeedSeconds), names_(names), userData_(userData), sink_(sink) {
  names_.localPath = LocalPath(names_.folder, names_.fileName);
  sink_.OpenSession(Serial());
}

CZorSesGetFile::~CZorSesGetFile() {
  CloseStream();
  sink_.CloseSession(Serial());
}

platform::WString CZorSesGetFile::LocalPath(const platform::WString& folder, const platform::WString& fileName) {
  if (folder.empty() || folder.back() == u'/') return folder + fileName;
  return folder + u'/' + fileName;
}

void CZorSesGetFile::Prepare() {
  status_ = kStarted;
  filePath_ = platform::AbsolutePath(names_.localPath);
  const platform::WString parent = platform::ParentFolder(filePath_);
  if (!parent.empty() && !platform::IsDirectory(parent)) platform::CreateFolders(parent);
}

void CZorSesGetFile::Run(CZorWorker& worker) { Perform(worker); }

void CZorSesGetFile::Perform(CZorWorker& worker) {
  MutableError().Clear();
  if (!Start(&worker) || !OpenFile()) return RaiseFailed();
  RaiseBegin();
  long status = -1;
  bool ok = Outcome(PerformRequest(), &status);
  // A file that was removed or replaced meanwhile is not the download: it
  // is neither reported complete nor deleted.
  const bool lost = file_ && !platform::IsOpenFileAt(file_, filePath_);
  const bool flushed = CloseStream();
  if (!ok && !cancelled_) ok = RecheckStatus(status);
  if (ok && !flushed) {
    MutableError().RecordCurl(CURLE_WRITE_ERROR);  // as when a write fails during the transfer
    ok = false;
  } else if (ok && lost) {
    MutableError().RecordCustom(EN_MSG_FILE_LOST);
    ok = false;
  }
  CloseFile(ok || lost);
  ok ? RaiseEnd() : RaiseFailed();
}

bool CZorSesGetFile::Outcome(CURLcode code, long* status) {
  if (cancelled_) return false;  // the cancel error is recorded already
  if (!Error().Succeeded()) {
    *status = ResponseCode();  // an answer refused while it arrived
    return false;
  }
  if (code != CURLE_OK) {
    MutableError().RecordCurl(code);
    return false;
  }
  *status = ResponseCode();
  if (AcceptStatus(*status)) return true;
  MutableError().RecordHttp(static_cast<int>(*status));
  return false;
}

bool CZorSesGetFile::CloseStream() {
  if (!file_) return true;
  const bool flushed = std::fclose(file_) == 0;
  file_ = nullptr;
  return flushed;
}

void CZorSesGetFile::Finish() {
  if (status_ != kEnded && status_ != kFailed) {
    MutableError().RecordCustom(EN_MSG_CANCELLED);
    RaiseFailed();
  }
}

bool CZorSesGetFile::OpenFile() { return OpenFileAs("wb"); }

bool CZorSesGetFile::OpenFileAs(const char* mode) {
  file_ = platform::OpenFile(filePath_, mode);
  if (!file_) MutableError().RecordRuntime(errno);
  return file_ != nullptr;
}

void CZorSesGetFile::CloseFile(bool keep) {
  if (!keep) platform::DeleteFileAt(filePath_);
}

bool CZorSesGetFile::WriteBody(const char* data, std::size_t bytes) {
  return file_ && std::fwrite(data, 1, bytes, file_) == bytes;
}

std::size_t CZorSesGetFile::OnWrite(const char* data, std::size_t bytes) {
  const long status = ResponseCode();
  if (!AcceptStatus(status)) {
    // The body of a refused answer is read to its end and discarded.
    MutableError().RecordHttp(static_cast<int>(status));
    return bytes;
  }
  return WriteBody(data, bytes) ? bytes : 0;
}

int CZorSesGetFile::OnProgress(curl_off_t dltotal, curl_off_t dlnow) {
  if (dltotal > 0) ReportProgress(dltotal, dlnow);
  return CancelRequested() ? 1 : 0;
}

// Events at every multiple of the step (15, 30, ... percent) that the
// percentage lands on exactly, and at completion.
void CZorSesGetFile::ReportProgress(curl_off_t dltotal, curl_off_t dlnow) {
  const float ratio = static_cast<float>(static_cast<double>(dlnow)) / static_cast<float>(static_cast<double>(dltotal));
  const int percent = static_cast<int>(ratio * 100.0f);
  if ((percent > 0 && percent % progressStep_ == 0) || dlnow >= dltotal) {
    progressStep_ += 15;
    RaiseProgress(dlnow, dltotal);
  }
}

bool CZorSesGetFile::CancelRequested() {
  if (cancelled_) return true;
  bool cancel = StopRequested();
  if (std::unique_ptr<CEventArg> reply = sink_.TakeReply(Serial(), EN_EVENT_PROGRESS)) {
    auto* progress = dynamic_cast<IDownloadProgressEventArg*>(static_cast<IEventArg*>(reply.get()));
    cancel = cancel || (progress && progress->IsCancel());
  }
  if (!cancel) return false;
  cancelled_ = true;
  MutableError().RecordCustom(EN_MSG_CANCELLED);
  return true;
}

void CZorSesGetFile::Raise(CEventArg& arg) {
  arg.SetSessionId(Serial());
  arg.SetUserData(userData_);
  sink_.Raise(arg);
}

void CZorSesGetFile::RaiseBegin() {
  status_ = kBegun;
  CDownloadBeginEventArg arg(names_);
  Raise(arg);
}

void CZorSesGetFile::RaiseProgress(std::int64_t now, std::int64_t total) {
  if (now == lastReported_) return;
  CDownloadProgressEventArg arg(names_, total, now, now - lastReported_);
  lastReported_ = now;
  Raise(arg);
}

void CZorSesGetFile::RaiseEnd() {
  status_ = kEnded;
  CDownloadEndEventArg arg(names_);
  Raise(arg);
}

void CZorSesGetFile::RaiseFailed() {
  status_ = kFailed;
  CloseStream();
  CDownloadFailedEventArg arg(names_, Error());
  Raise(arg);
}
