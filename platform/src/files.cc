#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/atomic_file_writer.h"
#include "platform/unicode.h"

namespace platform {
namespace {

bool StatPath(WStringView path, struct stat& st) {
  return ::stat(NativePath(path).c_str(), &st) == 0;
}

}  // namespace

std::string NativePath(WStringView path) { return Utf16ToUtf8(path); }

std::FILE* OpenFile(WStringView path, const char* mode) {
  if (mode == nullptr) {
    errno = EINVAL;
    return nullptr;
  }
  // "e": the descriptor is not inherited by child processes.
  const std::string native_mode = std::string(mode) + "e";
  std::FILE* file = std::fopen(NativePath(path).c_str(), native_mode.c_str());
  if (file == nullptr) return nullptr;
  struct stat st;
  if (::fstat(::fileno(file), &st) == 0 && S_ISDIR(st.st_mode)) {
    std::fclose(file);
    errno = EISDIR;
    return nullptr;
  }
  return file;
}

std::optional<std::string> ReadWholeFile(WStringView path) {
  const int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st;
  std::optional<std::string> content;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    content.emplace();
    content->reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        content.reset();
        break;
      }
      if (n == 0) break;
      content->append(buffer, static_cast<std::size_t>(n));
    }
  }
  ::close(fd);
  return content;
}

bool ReplaceFileAtomically(WStringView path, std::string_view bytes) {
  const auto writer = AtomicFileWriter::Begin(path);
  return writer != nullptr && writer->Write(bytes) && writer->Commit();
}

bool PathExists(WStringView path) {
  struct stat st;
  return StatPath(path, st);
}

bool IsRegularFile(WStringView path) {
  struct stat st;
  return StatPath(path, st) && S_ISREG(st.st_mode);
}

bool IsDirectory(WStringView path) {
  struct stat st;
  return StatPath(path, st) && S_ISDIR(st.st_mode);
}

bool DeleteFileAt(WStringView path) {
  const std::string native = NativePath(path);
  struct stat st;
  if (::lstat(native.c_str(), &st) != 0) return false;
  if (S_ISDIR(st.st_mode)) {
    errno = EISDIR;
    return false;
  }
  return ::unlink(native.c_str()) == 0;
}

bool IsReadOnly(WStringView path) {
  struct stat st;
  return StatPath(path, st) && (st.st_mode & 0222) == 0;
}

WString TempFolder() {
  const char* tmpdir = std::getenv("TMPDIR");
  std::string folder = tmpdir && *tmpdir ? tmpdir : "/tmp";
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return Utf8ToUtf16(folder);
}

WString JoinPath(WStringView base, WStringView more) {
  if (base.empty() || (!more.empty() && more.front() == u'/')) return WString(more);
  if (more.empty()) return WString(base);
  while (base.size() > 1 && base.back() == u'/') base.remove_suffix(1);
  while (!more.empty() && more.front() == u'/') more.remove_prefix(1);
  WString joined(base);
  if (joined.back() != u'/') joined += u'/';
  joined += more;
  return joined;
}

WString ParentFolder(WStringView path) {
  const std::size_t slash = path.rfind(u'/');
  if (slash == WStringView::npos) return WString();
  if (slash == 0) return WString(u"/");
  return WString(path.substr(0, slash));
}

bool CreateFolders(WStringView path) {
  const std::string native = NativePath(path);
  for (std::size_t pos = 1; pos <= native.size(); ++pos) {
    if (pos == native.size() || native[pos] == '/') {
      const std::string prefix = native.substr(0, pos);
      if (::mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST) return false;
    }
  }
  return IsDirectory(path);
}

}  // namespace platform
