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
  const platform::WString& path = Names().localPath;
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

void CZorSesIncrementDWFile::OnHeader(const std::string& line) {
  std::string value;
  if (!HeaderValue(line, "Content-Range", &value)) return;
  completeLength_ = -1;
  const std::size_t slash = value.find('/');
  if (slash == std::string::npos) return;
  std::int64_t length = 0;
  const char* first = value.data() + slash + 1;
  const char* last = value.data() + value.size();
  const auto [end, error] = std::from_chars(first, last, length);
  if (error == std::errc() && end != first && length >= 0) completeLength_ = length;
}

bool CZorSesIncrementDWFile::RecheckStatus(long status) {
  if (status != 416 || completeLength_ < 0) return false;
  deleteOnFailure_ = completeLength_ < localSize_;
  return completeLength_ == localSize_;
}

void CZorSesIncrementDWFile::CloseFile(bool keep) {
  if (!keep && deleteOnFailure_) platform::DeleteFileAt(Names().localPath);
}

bool CZorSesIncrementDWFile::WriteBody(const char* data, std::size_t bytes) {
  return RestartIfWhole() && CZorSesGetFile::WriteBody(data, bytes);
}

bool CZorSesIncrementDWFile::RestartIfWhole() {
  if (restarted_ || localSize_ == 0 || ResponseCode() != 200) return true;
  restarted_ = true;
  std::FILE*& file = File();
  std::fclose(file);
  file = platform::OpenFile(Names().localPath, "wb");
  if (!file) MutableError().RecordRuntime(errno);
  return file != nullptr;
}
