#include "platform/file_mapping.h"

#include <sys/mman.h>
#include <unistd.h>

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

}  // namespace platform
