#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/atomic_file_writer.h"
#include "platform/unicode.h"
#include "read_only_mode.h"

namespace platform {
namespace {

bool StatPath(WStringView path, struct stat& st) {
  return ::stat(NativePath(path).c_str(), &st) == 0;
}

// The open(2) flags of a C mode string: "r", "w" or "a", then any of "b",
// "+", "x" and "e". nullopt for anything else.
std::optional<int> OpenFlags(const char* mode) {
  int flags;
  switch (mode[0]) {
    case 'r':
      flags = 0;
      break;
    case 'w':
      flags = O_CREAT | O_TRUNC;
      break;
    case 'a':
      flags = O_CREAT | O_APPEND;
      break;
    default:
      return std::nullopt;
  }
  bool update = false;
  for (const char* c = mode + 1; *c != '\0'; ++c) {
    if (*c == '+') {
      update = true;
    } else if (*c == 'x') {
      flags |= O_EXCL;
    } else if (*c != 'b' && *c != 'e') {
      return std::nullopt;
    }
  }
  return flags | (update ? O_RDWR : mode[0] == 'r' ? O_RDONLY : O_WRONLY);
}

// Sets errno for a file that is there but is not a regular file.
void SetNotRegularError(const struct stat& st) { errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL; }

bool Writes(int flags) { return (flags & O_ACCMODE) != O_RDONLY; }

// True when the open descriptor is a regular file that may be used as
// `flags` ask, which is then made blocking again; false with errno set
// otherwise: EACCES when `flags` write and the file, there before it was
// opened (`existed`), is read-only by mode bits.
bool IsOpenRegularFile(int fd, int flags, bool existed) {
  struct stat st;
  if (::fstat(fd, &st) != 0) return false;
  if (!S_ISREG(st.st_mode)) {
    SetNotRegularError(st);
    return false;
  }
  if (existed && Writes(flags) && IsReadOnlyMode(st.st_mode)) {
    errno = EACCES;
    return false;
  }
  const int status = ::fcntl(fd, F_GETFL);
  return status >= 0 && ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) == 0;
}

// Opens a regular file (or creates a missing one when `flags` ask for it)
// without ever waiting on the file's type: a FIFO, device or folder found
// at the path is not opened at all, and the open itself is non-blocking, so
// one put there meanwhile is refused on its descriptor instead of blocking
// the caller until a writer comes. An existing file that is read-only by
// mode bits is not opened for writing, also by root, as Windows refuses
// to; O_TRUNC empties a file only once it passed that test. The descriptor
// is close-on-exec; -1 with errno set on failure (EISDIR for a folder,
// EINVAL for the other types, EACCES for a read-only file).
int OpenRegularFile(const std::string& native, int flags) {
  struct stat st;
  const bool existed = ::stat(native.c_str(), &st) == 0;
  if (existed && !S_ISREG(st.st_mode)) {
    SetNotRegularError(st);
    return -1;
  }
  const int fd = ::open(native.c_str(), (flags & ~O_TRUNC) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (fd < 0) return fd;
  if (IsOpenRegularFile(fd, flags, existed) && ((flags & O_TRUNC) == 0 || ::ftruncate(fd, 0) == 0)) return fd;
  const int error = errno;
  ::close(fd);
  errno = error;
  return -1;
}

}  // namespace

std::string NativePath(WStringView path) { return Utf16ToUtf8(path); }

std::FILE* OpenFile(WStringView path, const char* mode) {
  const std::optional<int> flags = mode != nullptr ? OpenFlags(mode) : std::nullopt;
  if (!flags) {
    errno = EINVAL;
    return nullptr;
  }
  const int fd = OpenRegularFile(NativePath(path), *flags);
  if (fd < 0) return nullptr;
  std::FILE* file = ::fdopen(fd, mode);
  if (file == nullptr) {
    const int error = errno;
    ::close(fd);
    errno = error;
  }
  return file;
}

std::optional<std::string> ReadWholeFile(WStringView path) {
  const int fd = OpenRegularFile(NativePath(path), O_RDONLY);
  if (fd < 0) return std::nullopt;
  struct stat st;
  std::optional<std::string> content;
  if (::fstat(fd, &st) == 0) {
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

bool IsOpenFileAt(std::FILE* file, WStringView path) {
  struct stat open, named;
  return ::fstat(::fileno(file), &open) == 0 && StatPath(path, named) && open.st_dev == named.st_dev &&
         open.st_ino == named.st_ino;
}

bool EmptyOpenFile(std::FILE* file) {
  return std::fflush(file) == 0 && ::ftruncate(::fileno(file), 0) == 0 && std::fseek(file, 0, SEEK_SET) == 0;
}

WString AbsolutePath(WStringView path) {
  if (!path.empty() && path.front() == u'/') return WString(path);
  char* cwd = ::getcwd(nullptr, 0);
  const std::optional<WString> folder = cwd ? Utf8ToUtf16Strict(cwd) : std::nullopt;
  std::free(cwd);
  return folder ? JoinPath(*folder, path) : WString(path);
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
  return StatPath(path, st) && IsReadOnlyMode(st.st_mode);
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
