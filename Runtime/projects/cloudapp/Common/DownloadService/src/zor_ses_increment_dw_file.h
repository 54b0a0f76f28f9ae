// CZorSesIncrementDWFile: downloads a byte range of a URL and appends it to
// the local file; range start -1 resumes from the file's current size,
// range end 0 means to the end of the resource.
//
// The answer is judged once its head is in, before any of its body: a 206
// answer is appended when its Content-Range starts at the start asked for;
// one that starts elsewhere, before or after, fails the transfer
// (libcurl's range error, 33) and the file keeps its bytes. A 200 answer
// (the server ignored the range) carries the whole resource, so the open
// file is emptied then, even when the body is empty, and gets the body from
// its first byte; the file is never reopened by its path, so one put there
// meanwhile is left alone and the transfer fails with 110. A 416 answer
// whose Content-Range names a complete length equal to the file's size
// means the file is complete (end event); a smaller length means the file
// is longer than the resource, which is then deleted. Otherwise a failed
// ranged download keeps the file as it was, except for what a 200 answer
// already replaced.
#pragma once

#include "zor_ses_get_file.h"

class CZorSesIncrementDWFile : public CZorSesGetFile {
 public:
  CZorSesIncrementDWFile(const DownloadNames& names, int userData, std::int64_t rangeStart, std::int64_t rangeEnd,
                         long lowSpeedSeconds, CZorOutsideEventMgr& sink);

  // The Range text for a start and end: "start-end", or "start-" when the
  // end is 0.
  static std::string RangeText(std::int64_t start, std::int64_t end);

 protected:
  bool OpenFile() override;
  bool AcceptStatus(long status) const override { return status == 200 || status == 206; }
  bool RecheckStatus(long status) override;
  void CloseFile(bool keep) override;

 private:
  static std::size_t HeaderCallback(char* data, std::size_t size, std::size_t count, void* session);
  // False aborts the transfer.
  bool OnHeader(const std::string& line);
  // Decides, at the end of an accepted answer's head, where its body goes:
  // a 206 must start at the range start; a 200 empties a file that has
  // content. False (the error recorded) refuses the answer.
  bool TakeAnswer();

  std::int64_t rangeStart_;
  std::int64_t rangeEnd_;
  std::int64_t localSize_ = 0;
  // The first position and the complete length of the last Content-Range
  // header; -1 when none could be read.
  std::int64_t answerStart_ = -1;
  std::int64_t completeLength_ = -1;
  bool answerTaken_ = false;
  bool deleteOnFailure_ = false;
};
