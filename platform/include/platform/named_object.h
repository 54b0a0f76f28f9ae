// Named kernel objects with Windows lifetimes: the backing shared by file
// mappings, semaphores and mutexes.
//
// An object is a file in the object folder: $LUMARINE_IPC_DIR when set and
// non-empty (created when missing), else /dev/shm/lumarine-<uid> (created
// with mode 0700; refused when another user owns it or others may write to
// it). The file name is a kind prefix and the object name, UTF-8,
// percent-escaped outside [A-Za-z0-9._-], very long names shortened with a
// hash. A leading "Local\" is dropped: on Windows "Local\X" and "X" name the
// same object of a session. Names are case-sensitive.
//
// Lifetime: every handle holds a shared open-file-description lock on the
// file, so an object is live while any handle to it is open, in any
// process, and a killed process holds nothing. Create opens the live object
// of that name or makes a new one (a dead file is started afresh, so
// nothing of a dead process's bytes shows in it); Open fails unless the
// object is live; the last handle to close removes the name. An object
// whose creator asks for it (NameUse::kFirstOpener) gives up its name to
// the first Open instead.
//
// Thread safety: a handle may be used from several threads for its const
// operations; creating and closing handles is safe from any thread.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "platform/text_types.h"

namespace platform {

enum class NamedObjectKind : char { kFileMapping = 'm', kSemaphore = 's', kMutex = 'x' };

enum class NamedCreation {
  // Windows' create: opens the live object of that name, else makes one.
  kCreateOrOpen,
  // Always makes a new object. A live object of that name loses its name
  // (its holders keep it) so that nobody opens it by accident any more.
  kReplace,
};

// Who finds a new object by its name.
enum class NameUse {
  // Windows' rule: every create and open of the name finds the object until
  // its last handle closes.
  kShared,
  // The first Open through a handle other than the creator's (in this
  // process or another), while the creator's handle is open, takes the name
  // with it, as Open with `remove_name` does: from then on opens fail and
  // creates make a new object, while the handles keep this one. A create
  // that finds the object before that opens it as usual and leaves the
  // name. For a text meant for one reader: what anyone creates under the
  // name once the reader has opened it is a new object, never this one,
  // whatever the order of their steps.
  kFirstOpener,
};

// The initial contents of a new object: pieces written one after another
// from its start.
using Contents = std::initializer_list<std::string_view>;

class NamedObjectFile {
 public:
  // Creates or opens. A new object gets `size` bytes holding `initial`
  // (zero-filled beyond), and `use` decides who finds it by its name; a live
  // object that is opened keeps its size, contents and use. `existed` tells
  // whether a live object was opened. Null on failure (errno set); an empty
  // name, a size of 0 or contents larger than `size` are invalid (EINVAL).
  static std::unique_ptr<NamedObjectFile> Create(NamedObjectKind kind, WStringView name,
                                                 NamedCreation how, std::uint64_t size,
                                                 Contents initial, bool* existed = nullptr,
                                                 NameUse use = NameUse::kShared);

  // Opens a live object; null (errno ENOENT) when there is none. With
  // `remove_name`, or when the object was made for its first opener, the
  // name is freed at once as RemoveName would (when it cannot be, the handle
  // still opens).
  static std::unique_ptr<NamedObjectFile> Open(NamedObjectKind kind, WStringView name, bool remove_name = false);

  // Closes the handle; when it was the last one, the name goes too.
  ~NamedObjectFile();
  NamedObjectFile(const NamedObjectFile&) = delete;
  NamedObjectFile& operator=(const NamedObjectFile&) = delete;

  int fd() const { return fd_; }
  // The size in bytes (fixed for the object's life).
  std::uint64_t size() const { return size_; }

  // True while a handle other than this one is open on this object (in
  // this process or another). A peer uses it to see that the other side
  // has gone.
  bool HasOtherHolders() const;

  // True while the name still refers to this object (no replace or
  // RemoveName has taken it away), so that opening the name now would give
  // this same object.
  bool IsNamed() const;

  // Frees the name now: later creates make a new object and later opens
  // fail, while this and other open handles keep the object. False when the
  // name already names something else or could not be removed.
  bool RemoveName();

  // The object folder, made and checked on first use in the process; ""
  // (errno set) when unusable.
  static std::string Folder();

  // The file name (without folder) of an object.
  static std::string FileName(NamedObjectKind kind, WStringView name);

 private:
  NamedObjectFile(int fd, std::string path, std::uint64_t size, bool named = true)
      : fd_(fd), path_(std::move(path)), size_(size), named_(named) {}
  static std::unique_ptr<NamedObjectFile> CreateAnew(const std::string& path, std::uint64_t size, Contents initial,
                                                     NameUse use);
  int fd_;
  std::string path_;
  std::uint64_t size_;
  mutable std::atomic<bool> named_;  // false once the name is known to have gone
};

}  // namespace platform
