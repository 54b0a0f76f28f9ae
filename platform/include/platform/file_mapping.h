// A named file mapping (shared memory) with Windows lifetimes (see
// named_object.h). A new mapping is zero-filled. A handle has at most one
// view of the whole mapping, unmapped when the handle is destroyed.
//
// A mapping spans whole pages, as the views of a Windows section do: the
// size asked for is rounded up to the page size, and size() is what a view
// spans. So when a create opens a live mapping that was made a little
// smaller, the bytes up to the end of its last page are there to be used,
// as they are on Windows.
// Thread safety: a handle is used by one thread at a time; the memory of a
// view is shared with every other view of the mapping, in any process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/named_object.h"

namespace platform {

class FileMapping {
 public:
  // CreateFileMapping: opens the live mapping of that name (its size stays;
  // `existed` is set) or makes one of `size` bytes, rounded up to whole
  // pages. Null (errno set) on failure or a size of 0.
  static std::unique_ptr<FileMapping> Create(WStringView name, std::size_t size,
                                             NamedCreation how = NamedCreation::kCreateOrOpen,
                                             bool* existed = nullptr);

  // Create, then `contents` written at the start of the new mapping of
  // `size` bytes (at least the contents'), rounded up to whole pages (zeros
  // follow), in one step and without a view; `use` decides who finds the
  // new mapping by its name (named_object.h). A live mapping opened instead
  // keeps its size, contents and use (`existed` is set).
  static std::unique_ptr<FileMapping> CreateHolding(WStringView name, std::size_t size, Contents contents,
                                                    NamedCreation how = NamedCreation::kCreateOrOpen,
                                                    NameUse use = NameUse::kShared, bool* existed = nullptr);

  // OpenFileMapping: null (errno ENOENT) unless a mapping of that name is live.
  static std::unique_ptr<FileMapping> Open(WStringView name);

  // Open, then RemoveName, in one step: for a consumer that must be the
  // only one to open the mapping, whoever made it.
  static std::unique_ptr<FileMapping> OpenAndRemoveName(WStringView name);

  // Unmaps the view and closes the handle.
  ~FileMapping();
  FileMapping(const FileMapping&) = delete;
  FileMapping& operator=(const FileMapping&) = delete;

  // The bytes a view spans: whole pages.
  std::size_t size() const { return size_; }

  // MapViewOfFile of the whole mapping, read and write. Later calls return
  // the same view. Null (errno set) when it cannot be mapped. A view costs
  // memory only for the pages it touches: reading a short text at the start
  // of a large mapping touches the pages of that text.
  void* MapView();

  // ReadFile and WriteFile at an offset, without a view: for a reader that
  // copies what it reads anyway, cheaper than mapping and unmapping a view,
  // and a file that a peer has shrunk gives a short read, never a fault.
  // ReadAt copies up to `length` bytes from `offset` into `out` and returns
  // how many it copied (fewer only where the file ends), or -1 (errno set).
  std::ptrdiff_t ReadAt(std::uint64_t offset, void* out, std::size_t length) const;

  // Writes zeros over the first `length` bytes (at most size()). False
  // (errno set) when they could not all be written.
  bool ZeroFill(std::size_t length);

  // Frees the name: see NamedObjectFile::RemoveName.
  bool RemoveName() { return file_->RemoveName(); }

  bool HasOtherHolders() const { return file_->HasOtherHolders(); }

 private:
  explicit FileMapping(std::unique_ptr<NamedObjectFile> file);
  // Null for a null file (errno kept).
  static std::unique_ptr<FileMapping> Wrap(std::unique_ptr<NamedObjectFile> file);

  std::unique_ptr<NamedObjectFile> file_;
  std::size_t size_;
  void* view_ = nullptr;
};

}  // namespace platform
