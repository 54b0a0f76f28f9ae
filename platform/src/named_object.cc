#include "platform/named_object.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <map>
#include <mutex>

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
// means nobody else holds the object.
constexpr off_t kLivenessByte = 0;
// The handle that made the object holds an exclusive lock on this byte
// (byte 1 is a mutex's).
constexpr off_t kCreatorByte = 2;

std::uint64_t Fnv1a(std::string_view bytes) {
  std::uint64_t hash = 1469598103934665603ULL;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  return hash;
}

bool SetLivenessLock(int fd, short type, bool wait) { return detail::LockByte(fd, kLivenessByte, type, wait); }

// What an open file is, taken once so that later checks need only stat the
// path.
bool Identify(int fd, NamedObjectFile::FileId* id) {
  struct stat info = {};
  if (::fstat(fd, &info) != 0) return false;
  *id = NamedObjectFile::FileId{info.st_dev, info.st_ino, static_cast<std::uint64_t>(info.st_size)};
  return true;
}

// True while `path` names the file `id`.
bool Names(const std::string& path, const NamedObjectFile::FileId& id) {
  struct stat info = {};
  return ::lstat(path.c_str(), &info) == 0 && info.st_dev == id.device && info.st_ino == id.inode;
}

// When the kernel cannot tell, the peer is taken as live: a wait then goes
// on rather than failing a healthy call.
bool OthersHold(int fd) { return detail::ByteLockedByOthers(fd, kLivenessByte); }

bool Initialise(int fd, NamedObjectFile::FileId* id, std::uint64_t size, std::string_view initial) {
  // A file left by a dead process is emptied first, so that it reads as
  // zeros like a new one.
  if (id->size != 0 && ::ftruncate(fd, 0) != 0) return false;
  if (::ftruncate(fd, static_cast<off_t>(size)) != 0) return false;
  std::size_t done = 0;
  while (done < initial.size()) {
    const ssize_t n = ::pwrite(fd, initial.data() + done, initial.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  id->size = size;
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

// Unlinks `path` if it still names the file `id`. A path that has stopped
// naming a file that is still open can never name it again, so the lock is
// taken only when the path still names it.
void UnlinkIfNamed(const std::string& path, const NamedObjectFile::FileId& id) {
  if (!Names(path, id)) return;
  const NameLock guard(path);
  if (Names(path, id)) ::unlink(path.c_str());
}

enum class Fresh { kMade, kRetry, kFailed };

// With the exclusive lock held on an unheld file: makes it a new object of
// `size` bytes holding `initial`, unless the path names another file now
// (not to be checked by a creator that holds the name's lock).
Fresh MakeFresh(int fd, const std::string& path, bool check_name, std::uint64_t size, std::string_view initial,
                NamedObjectFile::FileId* id) {
  if (!Identify(fd, id)) return Fresh::kFailed;
  if (check_name && !Names(path, *id)) return Fresh::kRetry;
  if (!Initialise(fd, id, size, initial) || !detail::LockByte(fd, kCreatorByte, F_WRLCK, false) ||
      !SetLivenessLock(fd, F_RDLCK, false)) {
    return Fresh::kFailed;
  }
  return Fresh::kMade;
}

enum class Join { kJoined, kRetry, kFailed };

// Takes a shared lock on a file that someone holds: waits while a creator
// initialises it, then checks that it is still named and still held.
Join JoinLiveObject(int fd, const std::string& path, NamedObjectFile::FileId* id) {
  if (!SetLivenessLock(fd, F_RDLCK, true) || !Identify(fd, id)) return Join::kFailed;
  if (!Names(path, *id) || !OthersHold(fd)) return Join::kRetry;
  return Join::kJoined;
}

std::string Escape(std::string_view utf8) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
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
  return out;
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
  const std::string folder = NamedObjectFile::Folder();
  if (folder.empty()) return std::string();
  return folder + "/" + NamedObjectFile::FileName(kind, name);
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
  std::string escaped = Escape(utf8);
  if (escaped.size() > kLongName) escaped = escaped.substr(0, kKeptPrefix) + "~" + HashHex(utf8);
  return std::string(1, static_cast<char>(kind)) + "." + escaped;
}

std::unique_ptr<NamedObjectFile> NamedObjectFile::Create(NamedObjectKind kind, WStringView name,
                                                         NamedCreation how, std::uint64_t size,
                                                         std::string_view initial, bool* existed) {
  if (name.empty() || size == 0 || initial.size() > size) {
    errno = EINVAL;
    return nullptr;
  }
  const std::string path = ObjectPath(kind, name);
  if (path.empty()) return nullptr;
  if (existed != nullptr) *existed = false;
  if (how == NamedCreation::kReplace) return CreateAnew(path, size, initial);
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_CREAT, 0600);
    if (fd < 0) return nullptr;
    FileId id;
    if (SetLivenessLock(fd, F_WRLCK, false)) {
      // Nobody holds this file: it is new or left by a dead process.
      const Fresh made = MakeFresh(fd, path, true, size, initial, &id);
      if (made == Fresh::kMade) return std::unique_ptr<NamedObjectFile>(new NamedObjectFile(fd, path, id));
      if (made == Fresh::kFailed) UnlinkIfNamed(path, id);
      CloseKeepingErrno(fd);
      if (made == Fresh::kFailed) return nullptr;
      continue;
    }
    if (errno != EAGAIN && errno != EACCES) {
      CloseKeepingErrno(fd);
      return nullptr;
    }
    const Join joined = JoinLiveObject(fd, path, &id);
    if (joined == Join::kJoined) {
      if (existed != nullptr) *existed = true;
      return std::unique_ptr<NamedObjectFile>(new NamedObjectFile(fd, path, id));
    }
    CloseKeepingErrno(fd);
    if (joined == Join::kFailed) return nullptr;
  }
  errno = EAGAIN;
  return nullptr;
}

std::unique_ptr<NamedObjectFile> NamedObjectFile::CreateAnew(const std::string& path, std::uint64_t size,
                                                            std::string_view initial) {
  const NameLock guard(path);
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    ::unlink(path.c_str());
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_CREAT | O_EXCL, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;  // a plain create came in between
      return nullptr;
    }
    // Someone who opened the new file by name may hold it already: then it
    // is theirs, and another new file is made.
    FileId id;
    const Fresh made =
        SetLivenessLock(fd, F_WRLCK, false) ? MakeFresh(fd, path, false, size, initial, &id) : Fresh::kRetry;
    if (made == Fresh::kMade) return std::unique_ptr<NamedObjectFile>(new NamedObjectFile(fd, path, id));
    if (made == Fresh::kFailed) ::unlink(path.c_str());
    CloseKeepingErrno(fd);
    if (made == Fresh::kFailed) return nullptr;
  }
  errno = EAGAIN;
  return nullptr;
}

std::unique_ptr<NamedObjectFile> NamedObjectFile::Open(NamedObjectKind kind, WStringView name) {
  if (name.empty()) {
    errno = EINVAL;
    return nullptr;
  }
  const std::string path = ObjectPath(kind, name);
  if (path.empty()) return nullptr;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return nullptr;
    FileId id;
    if (SetLivenessLock(fd, F_WRLCK, false)) {
      // Not live: a file left by a dead process. Sweep it away.
      if (Identify(fd, &id)) UnlinkIfNamed(path, id);
      ::close(fd);
      errno = ENOENT;
      return nullptr;
    }
    const Join joined = JoinLiveObject(fd, path, &id);
    if (joined == Join::kJoined) return std::unique_ptr<NamedObjectFile>(new NamedObjectFile(fd, path, id));
    CloseKeepingErrno(fd);
    if (joined == Join::kFailed) return nullptr;
  }
  errno = EAGAIN;
  return nullptr;
}

NamedObjectFile::~NamedObjectFile() {
  // An exclusive lock succeeds only for the last holder, who takes the name
  // with the object, as Windows does when the last handle closes.
  if (SetLivenessLock(fd_, F_WRLCK, false)) UnlinkIfNamed(path_, id_);
  ::close(fd_);
}

bool NamedObjectFile::HasOtherHolders() const { return OthersHold(fd_); }

bool NamedObjectFile::IsNamed() const { return Names(path_, id_); }

bool NamedObjectFile::CreatorAlive() const { return detail::ByteLockedByOthers(fd_, kCreatorByte); }

bool NamedObjectFile::RemoveName() {
  if (!IsNamed()) return false;
  const NameLock guard(path_);
  return Names(path_, id_) && ::unlink(path_.c_str()) == 0;
}

}  // namespace platform
