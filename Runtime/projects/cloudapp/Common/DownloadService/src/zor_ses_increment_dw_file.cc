#include "zor_ses_increment_dw_file.h"

#include <cerrno>
#include <charconv>

#include "http_header.h"
#include "platform/files.h"

CZorSesIncrementDWFile::CZorSesIncrementDWFile(const DownloadNames& names, int userData, std::int64_t rangeStart,
                                               std::int64_t rangeEnd, long lowSpeedSeconds,
                                               CZorOutsideEventMgr& sink)
    : CZorSesGetFile(names, userData, lowSpeedSeconds, sink), rangeStart_(rangeStart), rangeEnd_(rangeEnd) {}

std::string CZorSesIncrementDWFile::RangeText(std::int64_t start, std::int64_t end) {
  return std::to_string(start) + "-" + (end != 0 ? std::to_string(end) : std::string());
}

bool CZorSesIncrementDWFile::OpenFile() {
  const platform::WString& path = FilePath();
  if (!platform::PathExists(path)) rangeStart_ = rangeEnd_ = 0;
  std::FILE*& file = File();
  file = platform::OpenFile(path, "ab");
  if (!file) {
    MutableError().RecordRuntime(errno);
    return false;
  }
  std::fseek(file, 0, SEEK_END);
  localSize_ = std::ftell(file);
  // Any negative start resumes from the file's size.
  if (rangeStart_ < 0) rangeStart_ = localSize_;
  const std::string range = RangeText(rangeStart_, rangeEnd_);
  return SetOption(CURLOPT_RANGE, range.c_str()) && SetOption(CURLOPT_HEADERDATA, this) &&
         SetOption(CURLOPT_HEADERFUNCTION, &HeaderCallback);
}

std::size_t CZorSesIncrementDWFile::HeaderCallback(char* data, std::size_t size, std::size_t count, void* session) {
  static_cast<CZorSesIncrementDWFile*>(session)->OnHeader(std::string(data, size * count));
  return size * count;
}

namespace {

// The decimal number at the start of [first, last); -1 when there is none.
std::int64_t LeadingNumber(const char* first, const char* last) {
  std::int64_t number = 0;
  const auto [end, error] = std::from_chars(first, last, number);
  return error == std::errc() && end != first && number >= 0 ? number : -1;
}

}  // namespace

// Content-Range: "bytes first-last/complete" or "bytes */complete".
void CZorSesIncrementDWFile::OnHeader(const std::string& line) {
  std::string value;
  if (!HeaderValue(line, "Content-Range", &value)) return;
  const char* end = value.data() + value.size();
  const std::size_t blank = value.find(' ');
  answerStart_ = blank == std::string::npos ? -1 : LeadingNumber(value.data() + blank + 1, end);
  const std::size_t slash = value.find('/');
  completeLength_ = slash == std::string::npos ? -1 : LeadingNumber(value.data() + slash + 1, end);
}

bool CZorSesIncrementDWFile::RecheckStatus(long status) {
  if (status != 416 || completeLength_ < 0) return false;
  deleteOnFailure_ = completeLength_ < localSize_;
  return completeLength_ == localSize_;
}

void CZorSesIncrementDWFile::CloseFile(bool keep) {
  if (!keep && deleteOnFailure_) platform::DeleteFileAt(FilePath());
}

bool CZorSesIncrementDWFile::WriteBody(const char* data, std::size_t bytes) {
  return (answerTaken_ || TakeAnswer()) && CZorSesGetFile::WriteBody(data, bytes);
}

bool CZorSesIncrementDWFile::TakeAnswer() {
  answerTaken_ = true;
  const long status = ResponseCode();
  if (status == 206 && answerStart_ != rangeStart_) {
    MutableError().RecordCurl(CURLE_RANGE_ERROR);
    return false;
  }
  if (status != 200 || localSize_ == 0) return true;
  std::FILE*& file = File();
  std::fclose(file);
  file = platform::OpenFile(FilePath(), "wb");
  if (!file) MutableError().RecordRuntime(errno);
  return file != nullptr;
}
