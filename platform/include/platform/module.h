// Loadable modules (shared libraries).
//
// A Module owns one dlopen handle and closes it when destroyed. Load by full
// path or by bare name (the system's default search). Loading and lookup
// failures carry dlerror()'s text. Thread safety: any thread; a Module must
// not be destroyed while another thread uses a symbol from it.
#pragma once

#include <memory>
#include <string>

#include "platform/text_types.h"

namespace platform {

class Module {
 public:
  // Loads a library (RTLD_NOW | RTLD_LOCAL). On failure returns null and,
  // when `error` is given, stores the loader's message in it.
  static std::unique_ptr<Module> Load(WStringView path_or_name, std::string* error = nullptr);

  ~Module();
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  // The address of an exported symbol, or null (with the loader's message in
  // `error` when given).
  void* Symbol(const char* name, std::string* error = nullptr) const;

  template <typename Fn>
  Fn Function(const char* name, std::string* error = nullptr) const {
    return reinterpret_cast<Fn>(Symbol(name, error));
  }

 private:
  explicit Module(void* handle) : handle_(handle) {}
  void* handle_;
};

}  // namespace platform
