#include "platform/module.h"

#include <dlfcn.h>

#include "platform/files.h"

namespace platform {
namespace {

void StoreError(std::string* error, const std::string& fallback) {
  if (error == nullptr) return;
  const char* message = ::dlerror();
  *error = message ? message : fallback;
}

}  // namespace

std::unique_ptr<Module> Module::Load(WStringView path_or_name, std::string* error) {
  const std::string native = NativePath(path_or_name);
  if (native.empty()) {
    if (error) *error = "empty library name";
    return nullptr;
  }
  ::dlerror();
  void* handle = ::dlopen(native.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    StoreError(error, native + ": cannot be loaded");
    return nullptr;
  }
  return std::unique_ptr<Module>(new Module(handle));
}

Module::~Module() { ::dlclose(handle_); }

void* Module::Symbol(const char* name, std::string* error) const {
  if (name == nullptr) {
    if (error) *error = "null symbol name";
    return nullptr;
  }
  ::dlerror();
  void* address = ::dlsym(handle_, name);
  if (address == nullptr) StoreError(error, std::string("undefined symbol: ") + name);
  return address;
}

}  // namespace platform
