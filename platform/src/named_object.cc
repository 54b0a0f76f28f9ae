#include "platform/named_object.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>

#include "byte_lock.h"
#include "platform/unicode.h"

namespace platform {
namespace {

// A racing creator, opener or closer makes an attempt start over; a few
// rounds always settle it.
constexpr int kAttempts = 64;
// Escaped names longer than this are cut and completed with a hash, which
// keeps file names well inside NAME_MAX.
constexpr std::size_t kLongName = 200;
constexpr std::size_t kKeptPrefix = 160;
constexpr WStringView kLocalPrefix = u"Local\\";

// Every handle holds a shared lock on this byte; an exclusive lock on it
// means nobody else holds the object. (Byte 2 is a mutex's.)
constexpr off_t kLivenessByte = 0;
// The creator of an object made for its first opener holds a shared lock on
// this byte, taken before anyone else can join the object.
constexpr off_t kFirstOpenerByte = 1;

std::uint64_t Fnv1a(std::string_view bytes) {
  std::uint64_t hash = 1469598103934665603ULL;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  return hash;
}

bool SetLivenessLock(int fd, short type, bool wait) { return detail::LockByte(fd, kLivenessByte, type, wait); }

// An exclusive lock on the liveness byte: it succeeds only on a file that
// nobody holds, and keeps everyone out while this handle makes the object.
bool LockAsCreator(int fd) { return SetLivenessLock(fd, F_WRLCK, false); }

// What a handle's file is now: its size, and whether its name still refers
// to it. Object files are only ever made at their path and unlinked, never
// linked or renamed, so a file is named exactly while its link count is not
// zero. That needs no walk of the path, unlike a stat of the path.
struct FileState {
  std::uint64_t size = 0;
  bool named = false;
};

bool Inspect(int fd, FileState* state) {
  struct stat info = {};
  if (::fstat(fd, &info) != 0) return false;
  *state = FileState{static_cast<std::uint64_t>(info.st_size), info.st_nlink != 0};
  return true;
}

bool IsNamedFile(int fd) {
  FileState state;
  return Inspect(fd, &state) && state.named;
}

// When the kernel cannot tell, the peer is taken as live: a wait then goes
// on rather than failing a healthy call.
bool OthersHold(int fd) { return detail::ByteLockedByOthers(fd, kLivenessByte, true); }

// When the kernel cannot tell, the name stays, as Windows would keep it.
bool MadeForFirstOpener(int fd) { return detail::ByteLockedByOthers(fd, kFirstOpenerByte, false); }

std::uint64_t ContentsSize(Contents contents) {
  std::uint64_t size = 0;
  for (const std::string_view piece : contents) size += piece.size();
  return size;
}

// Writes `bytes` at `offset`, retrying short writes and EINTR.
bool WriteAll(int fd, std::string_view bytes, std::uint64_t offset) {
  while (!bytes.empty()) {
    const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
    offset += static_cast<std::uint64_t>(n);
  }
  return true;
}

bool Initialise(int fd, FileState* state, std::uint64_t size, Contents initial) {
  // A file left by a dead process is emptied first, so that it reads as
  // zeros like a new one. Writing `initial` sets the size when it fills it.
  if (state->size != 0 && ::ftruncate(fd, 0) != 0) return false;
  if (ContentsSize(initial) < size && ::ftruncate(fd, static_cast<off_t>(size)) != 0) return false;
  std::uint64_t offset = 0;
  for (const std::string_view piece : initial) {
    if (!WriteAll(fd, piece, offset)) return false;
    offset += piece.size();
  }
  state->size = size;
  return true;
}

void CloseKeepingErrno(int fd) {
  const int saved = errno;
  ::close(fd);
  errno = saved;
}

// Serialises the changes of one name: "is this still my file? then unlink
// it" and "unlink, then create anew" must not interleave, or a closing
// holder could remove the name of an object created a moment before. A
// one-byte lock, at the name's hash, in a lock file of the folder. Nothing
// blocks on an object's own lock while holding it.
class NameLock {
 public:
  explicit NameLock(const std::string& path) : process_lock_(ProcessMutex()) {
    const std::size_t slash = path.rfind('/');
    fd_ = LockFile(path.substr(0, slash));
    if (fd_ < 0) return;  // then unguarded: the rare race is back, nothing worse
    byte_ = static_cast<off_t>(Fnv1a(path.substr(slash + 1)) & 0x3FFFFFFF);
    Set(F_WRLCK);
  }
  ~NameLock() {
    if (fd_ >= 0) Set(F_UNLCK);
  }
  NameLock(const NameLock&) = delete;
  NameLock& operator=(const NameLock&) = delete;

 private:
  // The threads of this process share the lock file's description, whose
  // locks do not exclude one another: a mutex orders them instead.
  static std::mutex& ProcessMutex() {
    static std::mutex mutex;
    return mutex;
  }

  // The folder's lock file, opened once per folder (under the mutex).
  static int LockFile(const std::string& folder) {
    static std::map<std::string, int> files;
    const auto found = files.find(folder);
    if (found != files.end()) return found->second;
    const int fd = ::open((folder + "/.names").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0) files.emplace(folder, fd);
    return fd;
  }

  void Set(short type) {
    const int saved = errno;
    detail::LockByte(fd_, byte_, type, true);
    errno = saved;
  }

  std::lock_guard<std::mutex> process_lock_;
  int fd_ = -1;
  off_t byte_ = 0;
};

// Unlinks `path` if it still names the file open as `fd`.
void UnlinkIfNamed(int fd, const std::string& path) {
  const NameLock guard(path);
  if (IsNamedFile(fd)) ::unlink(path.c_str());
}

enum class Fresh { kMade, kRetry, kFailed };

// With the creator's lock held on an unheld file: makes it a new object of
// `size` bytes holding `initial`, unless its name has gone meanwhile. The
// mark of `use` is set before the creator's lock turns shared and lets
// others in.
Fresh MakeFresh(int fd, std::uint64_t size, Contents initial, NameUse use, FileState* state) {
  if (!Inspect(fd, state)) return Fresh::kFailed;
  if (!state->named) return Fresh::kRetry;
  if (!Initialise(fd, state, size, initial)) return Fresh::kFailed;
  if (use == NameUse::kFirstOpener && !detail::LockByte(fd, kFirstOpenerByte, F_RDLCK, false)) return Fresh::kFailed;
  if (!SetLivenessLock(fd, F_RDLCK, false)) return Fresh::kFailed;
  return Fresh::kMade;
}

enum class Join { kJoined, kRetry, kFailed };

// What a handle that joins a live object does with its name.
enum class TakeName {
  kNo,
  kYes,
  kIfMadeForFirstOpener,
};

// Takes a shared lock on a file that someone holds: waits while a creator
// initialises it, then checks that it is still named and still held. When
// it takes the name, then unlinks it, checked and unlinked under the name's
// lock (taken only once the object's lock is held).
Join JoinLiveObject(int fd, const std::string& path, TakeName take, FileState* state) {
  if (!SetLivenessLock(fd, F_RDLCK, true)) return Join::kFailed;
  // The creator's mark is there once its lock has let this handle in.
  const bool remove_name =
      take == TakeName::kYes || (take == TakeName::kIfMadeForFirstOpener && MadeForFirstOpener(fd));
  std::optional<NameLock> guard;
  if (remove_name) guard.emplace(path);
  if (!Inspect(fd, state)) return Join::kFailed;
  if (!state->named || !OthersHold(fd)) return Join::kRetry;
  if (remove_name && ::unlink(path.c_str()) == 0) state->named = false;
  return Join::kJoined;
}

// Makes a new file at `path` and a new object in it; kRetry when the name
// is taken, or when someone who opened the new file by name holds it already
// (then it is theirs). A half-made file is unlinked again: directly when the
// caller holds the name's lock, else under it.
Fresh MakeExclusive(const std::string& path, std::uint64_t size, Contents initial, NameUse use, bool name_locked,
                    int* made_fd) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_CREAT | O_EXCL, 0600);
  if (fd < 0) return errno == EEXIST ? Fresh::kRetry : Fresh::kFailed;
  FileState state;
  const Fresh made = LockAsCreator(fd) ? MakeFresh(fd, size, initial, use, &state) : Fresh::kRetry;
  if (made == Fresh::kMade) {
    *made_fd = fd;
    return made;
  }
  if (made == Fresh::kFailed) {
    if (name_locked) {
      ::unlink(path.c_str());
    } else {
      UnlinkIfNamed(fd, path);
    }
  }
  CloseKeepingErrno(fd);
  return made;
}

// Appends the bytes percent-escaped outside [A-Za-z0-9._-].
void AppendEscaped(std::string_view utf8, std::string* out_string) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string& out = *out_string;
  out.reserve(out.size() + utf8.size());
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                       (byte >= '0' && byte <= '9') || byte == '.' || byte == '_' || byte == '-';
    if (plain) {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    }
  }
}

std::string HashHex(std::string_view bytes) {
  std::uint64_t hash = Fnv1a(bytes);
  static const char kHex[] = "0123456789abcdef";
  std::string out(16, '0');
  for (int i = 15; i >= 0; --i, hash >>= 4) out[static_cast<std::size_t>(i)] = kHex[hash & 15];
  return out;
}

std::string FolderFromEnvironment(const char* folder) {
  if (::mkdir(folder, 0700) != 0 && errno != EEXIST) return std::string();
  struct stat info = {};
  if (::stat(folder, &info) != 0) return std::string();
  if (!S_ISDIR(info.st_mode)) {
    errno = ENOTDIR;
    return std::string();
  }
  return folder;
}

std::string PerUserFolder() {
  const std::string folder = "/dev/shm/lumarine-" + std::to_string(::geteuid());
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return std::string();
  struct stat info = {};
  if (::lstat(folder.c_str(), &info) != 0) return std::string();
  // Another user could have made the folder first to watch or spoof our
  // objects: only our own private folder is used.
  if (!S_ISDIR(info.st_mode) || info.st_uid != ::geteuid() || (info.st_mode & 022) != 0) {
    errno = EACCES;
    return std::string();
  }
  return folder;
}

std::string ObjectPath(NamedObjectKind kind, WStringView name) {
  std::string path = NamedObjectFile::Folder();
  if (!path.empty()) path.append("/").append(NamedObjectFile::FileName(kind, name));
  return path;
}

}  // namespace

std::string NamedObjectFile::Folder() {
  // Made and checked once for each value of LUMARINE_IPC_DIR.
  static std::mutex mutex;
  static std::map<std::string, std::string> ready;
  const char* variable = std::getenv("LUMARINE_IPC_DIR");
  const std::string wanted = variable != nullptr ? variable : "";
  std::lock_guard<std::mutex> lock(mutex);
  const auto found = ready.find(wanted);
  if (found != ready.end()) return found->second;
  const std::string folder = wanted.empty() ? PerUserFolder() : FolderFromEnvironment(wanted.c_str());
  if (!folder.empty()) ready.emplace(wanted, folder);
  return folder;
}

std::string NamedObjectFile::FileName(NamedObjectKind kind, WStringView name) {
  if (name.substr(0, kLocalPrefix.size()) == kLocalPrefix) name.remove_prefix(kLocalPrefix.size());
  const std::string utf8 = Utf16ToUtf8(name);
  const std::string prefix = {static_cast<char>(kind), '.'};
  std::string file = prefix;
  AppendEscaped(utf8, &file);
  if (file.size() > prefix.size() + kLongName) {
    file.resize(prefix.size() + kKeptPrefix);
    file += "~" + HashHex(utf8);
  }
  return file;
}

std::unique_ptr<NamedObjectFile> NamedObjectFile::Create(NamedObjectKind kind, WStringView name,
                                                         NamedCreation how, std::uint64_t size, Contents initial,
                                                         bool* existed, NameUse use) {
  if (name.empty() || size == 0 || ContentsSize(initial) > size) {
    errno = EINVAL;
    return nullptr;
  }
  const std::string path = ObjectPath(kind, name);
  if (path.empty()) return nullptr;
  if (existed != nullptr) *existed = false;
  if (how == NamedCreation::kReplace) return CreateAnew(path, size, initial, use);
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_CREAT, 0600);
    if (fd < 0) return nullptr;
    FileState state;
    if (LockAsCreator(fd)) {
      // Nobody holds this file: it is new or left by a dead process.
      const Fresh made = MakeFresh(fd, size, initial, use, &state);
      if (made == Fresh::kMade) return std::unique_ptr<NamedObjectFile>(new NamedObjectFile(fd, path, size));
      if (made == Fresh::kFailed) UnlinkIfNamed(fd, path);
      CloseKeepingErrno(fd);
      if (made == Fresh::kFailed) return nullptr;
      continue;
    }
    if (errno != EAGAIN && errno != EACCES) {
      CloseKeepingErrno(fd);
      return nullptr;
    }
    const Join joined = JoinLiveObject(fd, path, TakeName::kNo, &state);
    if (joined == Join::kJoined) {
      if (existed != nullptr) *existed = true;
      return std::unique_ptr<NamedObjectFile>(new NamedObjectFile(fd, path, state.size));
    }
    CloseKeepingErrno(fd);
    if (joined == Join::kFailed) return nullptr;
  }
  errno = EAGAIN;
  return nullptr;
}

std::unique_ptr<NamedObjectFile> NamedObjectFile::CreateAnew(const std::string& path, std::uint64_t size,
                                                            Contents initial, NameUse use) {
  int fd = -1;
  // Usually nothing has the name (its last user removed it). Then it is taken
  // without the name's lock: making a file where there was none cannot undo
  // anyone's "still my file? then unlink" under that lock.
  Fresh made = MakeExclusive(path, size, initial, use, false, &fd);
  if (made == Fresh::kRetry) {
    const NameLock guard(path);
    for (int attempt = 0; made == Fresh::kRetry && attempt < kAttempts; ++attempt) {
      ::unlink(path.c_str());
      made = MakeExclusive(path, size, initial, use, true, &fd);
    }
  }
  if (made == Fresh::kMade) return std::unique_ptr<NamedObjectFile>(new NamedObjectFile(fd, path, size));
  if (made == Fresh::kRetry) errno = EAGAIN;
  return nullptr;
}

std::unique_ptr<NamedObjectFile> NamedObjectFile::Open(NamedObjectKind kind, WStringView name, bool remove_name) {
  if (name.empty()) {
    errno = EINVAL;
    return nullptr;
  }
  const std::string path = ObjectPath(kind, name);
  if (path.empty()) return nullptr;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return nullptr;
    // Not live (a file left by a dead process, or one that a creator has
    // made but not yet locked): swept away. An exclusive lock, never a
    // shared one, so that a creator never takes an unmade object for a live
    // one.
    if (SetLivenessLock(fd, F_WRLCK, false)) {
      UnlinkIfNamed(fd, path);
      ::close(fd);
      errno = ENOENT;
      return nullptr;
    }
    FileState state;
    const Join joined =
        JoinLiveObject(fd, path, remove_name ? TakeName::kYes : TakeName::kIfMadeForFirstOpener, &state);
    if (joined == Join::kJoined) {
      return std::unique_ptr<NamedObjectFile>(new NamedObjectFile(fd, path, state.size, state.named));
    }
    CloseKeepingErrno(fd);
    if (joined == Join::kFailed) return nullptr;
  }
  errno = EAGAIN;
  return nullptr;
}

NamedObjectFile::~NamedObjectFile() {
  // An exclusive lock succeeds only for the last holder, who takes the name
  // with the object, as Windows does when the last handle closes. A handle
  // known to have lost its name has nothing to take; one that is not the
  // last holder need not ask.
  if (named_.load(std::memory_order_relaxed) && SetLivenessLock(fd_, F_WRLCK, false) && IsNamed()) {
    UnlinkIfNamed(fd_, path_);
  }
  ::close(fd_);
}

bool NamedObjectFile::HasOtherHolders() const { return OthersHold(fd_); }

bool NamedObjectFile::IsNamed() const {
  // A name, once gone, never comes back: a handle stops asking then.
  if (named_.load(std::memory_order_relaxed) && !IsNamedFile(fd_)) named_.store(false, std::memory_order_relaxed);
  return named_.load(std::memory_order_relaxed);
}

bool NamedObjectFile::RemoveName() {
  if (!named_.load(std::memory_order_relaxed)) return false;
  const NameLock guard(path_);
  if (!IsNamed() || ::unlink(path_.c_str()) != 0) return false;
  named_.store(false, std::memory_order_relaxed);
  return true;
}

}  // namespace platform
