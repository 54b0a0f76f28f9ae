#include "platform/atomic_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <string_view>

#include "platform/files.h"
#include "read_only_mode.h"

namespace platform {
namespace {

// Writes all of `bytes` to fd, retrying short writes and EINTR.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// The name of a temporary file for the file named `name`: "." + as much of
// `name` as fits + ".tmp<pid>-<serial>", never longer than a name may be
// (NAME_MAX bytes), so that every file the system can name can be saved.
// The name is cut before a whole UTF-8 character, never inside one.
std::string TemporaryName(std::string_view name, unsigned serial) {
  const std::string suffix = ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(serial);
  std::size_t kept = std::min(name.size(), std::size_t{NAME_MAX} - 1 - suffix.size());
  while (kept > 0 && kept < name.size() && (static_cast<unsigned char>(name[kept]) & 0xC0) == 0x80) --kept;
  return "." + std::string(name.substr(0, kept)) + suffix;
}

// Creates a new, empty temporary file beside `target`, under a name that no
// other writer of this or another process uses (pid, serial and exclusive
// creation). The umask applies to its mode.
int CreateTempBeside(const std::string& target, std::string& temp_path) {
  static std::atomic<unsigned> counter{0};
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string_view name = std::string_view(target).substr(slash == std::string::npos ? 0 : slash + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_path = folder + TemporaryName(name, counter.fetch_add(1));
    const int fd = ::open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Flushes the folder entry of a rename to disk; failures are not fatal.
void SyncFolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The target of a symbolic link, read whole; nullopt with errno set when
// `link` cannot be read as one.
std::optional<std::string> ReadLink(const std::string& link) {
  std::string target(256, '\0');
  for (;;) {
    const ssize_t n = ::readlink(link.c_str(), target.data(), target.size());
    if (n < 0) return std::nullopt;
    if (static_cast<std::size_t>(n) < target.size()) {
      target.resize(static_cast<std::size_t>(n));
      return target;
    }
    target.resize(target.size() * 2);
  }
}

// The file that a save to `path` replaces: `path` itself unless it is a
// symbolic link, else the file at the end of the chain of links (each
// relative link read from its own folder), which need not exist. nullopt
// with errno set when a link cannot be read, or ELOOP when the chain holds
// more links than the system follows when it opens a path: as with open(),
// a chain of 40 links is followed and one of 41 is not.
std::optional<std::string> ResolveLinks(std::string path) {
  constexpr int kMaxLinks = 40;  // the kernel's MAXSYMLINKS
  for (int followed = 0;; ++followed) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    if (followed == kMaxLinks) {
      errno = ELOOP;
      return std::nullopt;
    }
    std::optional<std::string> target = ReadLink(path);
    if (!target) return std::nullopt;
    if (target->empty() || target->front() != '/') {
      const std::size_t slash = path.rfind('/');
      if (slash != std::string::npos) target->insert(0, path, 0, slash + 1);
    }
    path = std::move(*target);
  }
}

}  // namespace

std::unique_ptr<AtomicFileWriter> AtomicFileWriter::Begin(WStringView path) {
  std::optional<std::string> resolved = ResolveLinks(NativePath(path));
  if (!resolved) return nullptr;
  std::string target = std::move(*resolved);
  struct stat old_st;
  std::optional<mode_t> previous_mode;
  if (::stat(target.c_str(), &old_st) == 0) {
    if (!S_ISREG(old_st.st_mode)) {
      errno = S_ISDIR(old_st.st_mode) ? EISDIR : EINVAL;
      return nullptr;
    }
    if (IsReadOnlyMode(old_st.st_mode)) {
      errno = EACCES;  // read-only, as Windows refuses to overwrite it
      return nullptr;
    }
    previous_mode = old_st.st_mode & 07777;
  }
  std::string temporary;
  const int fd = CreateTempBeside(target, temporary);
  if (fd < 0) return nullptr;
  return std::unique_ptr<AtomicFileWriter>(
      new AtomicFileWriter(std::move(target), std::move(temporary), fd, previous_mode));
}

AtomicFileWriter::AtomicFileWriter(std::string target, std::string temporary, int fd,
                                   std::optional<mode_t> previous_mode)
    : target_(std::move(target)), temporary_(std::move(temporary)), fd_(fd), previous_mode_(previous_mode) {}

AtomicFileWriter::~AtomicFileWriter() {
  if (committed_) return;
  const int saved_errno = errno;
  if (fd_ >= 0) ::close(fd_);
  ::unlink(temporary_.c_str());
  errno = saved_errno;
}

bool AtomicFileWriter::Write(std::string_view bytes) {
  if (write_error_ == 0 && !WriteAll(fd_, bytes)) write_error_ = errno != 0 ? errno : EIO;
  return write_error_ == 0;
}

bool AtomicFileWriter::Commit() {
  if (write_error_ != 0) {
    errno = write_error_;
    return false;
  }
  bool ok = (!previous_mode_ || ::fchmod(fd_, *previous_mode_) == 0) && ::fsync(fd_) == 0;
  const int saved_errno = errno;
  ok = ::close(fd_) == 0 && ok;
  fd_ = -1;
  if (!ok) {
    errno = saved_errno;
    return false;
  }
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) return false;
  committed_ = true;
  SyncFolderOf(target_);
  return true;
}

}  // namespace platform
