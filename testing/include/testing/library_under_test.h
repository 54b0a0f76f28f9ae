// Loads a deliverable's shared library from the build's bin folder
// (LUMARINE_BINARY_DIR) the way its real caller does, and binds exported
// symbols. A load or lookup failure fails the current test with the
// loader's message. The library stays loaded while the object lives.
// Thread safety: as platform::Module.
#pragma once

#include <memory>
#include <string>

#include "platform/module.h"

namespace lumarine_testing {

// The build's bin folder, where every deliverable lands.
std::string BinaryDir();

class LibraryUnderTest {
 public:
  // `file_name` is a file of the bin folder, e.g. "libpelcor.so".
  explicit LibraryUnderTest(const std::string& file_name);

  bool loaded() const { return module_ != nullptr; }

  // The exported symbol as a function pointer of type Fn; null (and a
  // failed test) when it is missing or the library did not load.
  template <typename Fn>
  Fn Bind(const char* symbol) const {
    return reinterpret_cast<Fn>(Symbol(symbol));
  }

 private:
  void* Symbol(const char* symbol) const;

  std::string path_;
  std::unique_ptr<platform::Module> module_;
};

}  // namespace lumarine_testing
