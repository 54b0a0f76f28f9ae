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
  if (!platform::PathExists(FilePath())) rangeStart_ = rangeEnd_ = 0;
  if (!OpenFileAs("ab")) return false;
  std::FILE* file = File();
  std::fseek(file, 0, SEEK_END);
  localSize_ = std::ftell(file);
  // Any negative start resumes from the file's size.
  if (rangeStart_ < 0) rangeStart_ = localSize_;
  const std::string range = RangeText(rangeStart_, rangeEnd_);
  return SetOption(CURLOPT_RANGE, range.c_str()) && SetOption(CURLOPT_HEADERDATA, this) &&
         SetOption(CURLOPT_HEADERFUNCTION, &HeaderCallback);
}

std::size_t CZorSesIncrementDWFile::HeaderCallback(char* data, std::size_t size, std::size_t count, void* session) {
  const std::size_t bytes = size * count;
  return static_cast<CZorSesIncrementDWFile*>(session)->OnHeader(std::string(data, bytes)) ? bytes : 0;
}

namespace {

// The decimal number at the start of [first, last); -1 when there is none.
std::int64_t LeadingNumber(const char* first, const char* last) {
  std::int64_t number = 0;
  const auto [end, error] = std::from_chars(first, last, number);
  return error == std::errc() && end != first && number >= 0 ? number : -1;
}

}  // namespace

// Content-Range: "bytes first-last/complete" or "bytes */complete". The
// blank line ends a head; the first accepted one is the answer's (a
// trailer's blank line comes after it).
bool CZorSesIncrementDWFile::OnHeader(const std::string& line) {
  if (line == "\r\n" || line == "\n") return answerTaken_ || !AcceptStatus(ResponseCode()) || TakeAnswer();
  std::string value;
  if (!HeaderValue(line, "Content-Range", &value)) return true;
  const char* end = value.data() + value.size();
  const std::size_t blank = value.find(' ');
  answerStart_ = blank == std::string::npos ? -1 : LeadingNumber(value.data() + blank + 1, end);
  const std::size_t slash = value.find('/');
  completeLength_ = slash == std::string::npos ? -1 : LeadingNumber(value.data() + slash + 1, end);
  return true;
}

bool CZorSesIncrementDWFile::RecheckStatus(long status) {
  if (status != 416 || completeLength_ < 0) return false;
  deleteOnFailure_ = completeLength_ < localSize_;
  return completeLength_ == localSize_;
}

void CZorSesIncrementDWFile::CloseFile(bool keep) {
  if (!keep && deleteOnFailure_) platform::DeleteFileAt(FilePath());
}

bool CZorSesIncrementDWFile::TakeAnswer() {
  answerTaken_ = true;
  const long status = ResponseCode();
  if (status == 206 && answerStart_ != rangeStart_) {
    MutableError().RecordCurl(CURLE_RANGE_ERROR);
    return false;
  }
  if (status != 200 || localSize_ == 0 || platform::EmptyOpenFile(File())) return true;
  MutableError().RecordRuntime(errno);
  return false;
}
