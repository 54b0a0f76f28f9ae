// CZorSesGetFile: downloads one URL into one local file on a worker, and
// tells its caller through begin, progress, end and failed events raised
// to its downloader's event manager.
//
// Every transfer that was submitted ends with exactly one end or failed
// event: after it ran, or from Finish when the pool dropped it unrun. A
// failed plain download leaves no file behind; the failed event is raised
// after the file was deleted. The local path is made absolute against the
// working folder once, when the transfer is requested; the folder is made,
// and the file opened, checked and deleted by that path, so a later change
// of working folder neither moves nor fails the transfer, nor deletes
// another file. A transfer whose file was removed or replaced at that path
// before the end fails (message 110) and deletes nothing; one whose last
// bytes cannot be written when the file is closed fails as a write during
// the transfer does (103, libcurl's write error). A transfer stops at the
// first progress callback after a cancel request (from a progress handler)
// or a stop request (from the pool); libcurl calls back at least once a
// second, so even a transfer that receives nothing stops promptly.
//
// Thread safety: Prepare runs on the caller's thread before submission;
// everything else on the worker that runs the session.
#pragma once

#include <cstdio>
#include <memory>

#include "event_args.h"
#include "zor_outside_event_mgr.h"
#include "zor_session.h"

class CZorSesGetFile : public CZorSession {
 public:
  // Context status of a download.
  enum Status { kQueued = 1, kStarted = 2, kBegun = 3, kFailed = 6, kEnded = 8 };

  // The sink must outlive the session; the session opens its reply slot
  // there now and closes it in Finish.
  CZorSesGetFile(const DownloadNames& names, int userData, long lowSpeedSeconds, CZorOutsideEventMgr& sink);
  ~CZorSesGetFile() override;

  // folder + "/" + file name, without a separator after an empty folder or
  // one that ends in "/".
  static platform::WString LocalPath(const platform::WString& folder, const platform::WString& fileName);

  // Makes the local path absolute against the working folder, creates the
  // local file's folder when it is missing (a failure shows when the file
  // is opened) and marks the session started.
  void Prepare();

  void Run(CZorWorker& worker) override;
  void Finish() override;

 protected:
  // Opens FilePath() for writing.
  virtual bool OpenFile();
  virtual bool AcceptStatus(long status) const { return status == 200; }
  // After a failed transfer: whether the download is complete after all.
  virtual bool RecheckStatus(long /*status*/) { return false; }
  // Deletes the local file unless `keep`.
  virtual void CloseFile(bool keep);
  // Writes body bytes of an accepted answer.
  virtual bool WriteBody(const char* data, std::size_t bytes);

  // Opens FilePath() with a C mode string; false with error 104 recorded.
  bool OpenFileAs(const char* mode);
  std::FILE* File() const { return file_; }
  // The absolute local path (set by Prepare).
  const platform::WString& FilePath() const { return filePath_; }

 private:
  void Perform(CZorWorker& worker);
  // The transfer's own outcome, recording its error; *status becomes the
  // answer's status when there is one to judge.
  bool Outcome(CURLcode code, long* status);
  // Closes the file; false when its last bytes could not be written.
  bool CloseStream();
  int OnProgress(curl_off_t dltotal, curl_off_t dlnow) override;
  std::size_t OnWrite(const char* data, std::size_t bytes) override;
  void ReportProgress(curl_off_t dltotal, curl_off_t dlnow);
  bool CancelRequested();

  void Raise(CEventArg& arg);
  void RaiseBegin();
  void RaiseProgress(std::int64_t now, std::int64_t total);
  void RaiseEnd();
  void RaiseFailed();

  DownloadNames names_;
  int userData_;
  CZorOutsideEventMgr& sink_;
  Status status_ = kQueued;
  std::int64_t lastReported_ = 0;
  int progressStep_ = 15;
  bool cancelled_ = false;
  platform::WString filePath_;
  std::FILE* file_ = nullptr;
};
