#include "platform/file_mapping.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace platform {
namespace {

// `size` rounded up to whole pages; 0 for 0 and for sizes that no page
// count can hold (both are refused).
std::size_t WholePages(std::size_t size) {
  static const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  if (size > SIZE_MAX - page) return 0;
  return (size + page - 1) / page * page;
}

}  // namespace

std::unique_ptr<FileMapping> FileMapping::Create(WStringView name, std::size_t size, NamedCreation how,
                                                 bool* existed) {
  return Wrap(NamedObjectFile::Create(NamedObjectKind::kFileMapping, name, how, WholePages(size), {}, existed));
}

std::unique_ptr<FileMapping> FileMapping::CreateHolding(WStringView name, std::size_t size, Contents contents,
                                                        NamedCreation how, NameUse use, bool* existed) {
  return Wrap(NamedObjectFile::Create(NamedObjectKind::kFileMapping, name, how, WholePages(size), contents, existed,
                                      use));
}

std::unique_ptr<FileMapping> FileMapping::Open(WStringView name) {
  return Wrap(NamedObjectFile::Open(NamedObjectKind::kFileMapping, name));
}

std::unique_ptr<FileMapping> FileMapping::OpenAndRemoveName(WStringView name) {
  return Wrap(NamedObjectFile::Open(NamedObjectKind::kFileMapping, name, true));
}

std::unique_ptr<FileMapping> FileMapping::Wrap(std::unique_ptr<NamedObjectFile> file) {
  if (file == nullptr) return nullptr;
  return std::unique_ptr<FileMapping>(new FileMapping(std::move(file)));
}

FileMapping::FileMapping(std::unique_ptr<NamedObjectFile> file)
    : file_(std::move(file)), size_(static_cast<std::size_t>(file_->size())) {}

FileMapping::~FileMapping() {
  if (view_ != nullptr) ::munmap(view_, size_);
}

void* FileMapping::MapView() {
  if (view_ != nullptr) return view_;
  if (size_ == 0) {
    errno = EINVAL;
    return nullptr;
  }
  void* view = ::mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_SHARED, file_->fd(), 0);
  if (view == MAP_FAILED) return nullptr;
  view_ = view;
  return view_;
}

std::ptrdiff_t FileMapping::ReadAt(std::uint64_t offset, void* out, std::size_t length) const {
  auto* bytes = static_cast<char*>(out);
  std::size_t copied = 0;
  while (copied < length) {
    const ssize_t n = ::pread(file_->fd(), bytes + copied, length - copied, static_cast<off_t>(offset + copied));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    copied += static_cast<std::size_t>(n);
  }
  return static_cast<std::ptrdiff_t>(copied);
}

bool FileMapping::ZeroFill(std::size_t length) {
  static const char kZeros[4096] = {};
  if (length > size_) {
    errno = EINVAL;
    return false;
  }
  std::size_t written = 0;
  while (written < length) {
    const std::size_t piece = std::min(length - written, sizeof kZeros);
    const ssize_t n = ::pwrite(file_->fd(), kZeros, piece, static_cast<off_t>(written));
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = EIO;
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace platform
