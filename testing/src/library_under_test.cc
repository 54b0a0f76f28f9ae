#include "testing/library_under_test.h"

#include <gtest/gtest.h>

#include "platform/unicode.h"

namespace lumarine_testing {

std::string BinaryDir() { return LUMARINE_BINARY_DIR; }

LibraryUnderTest::LibraryUnderTest(const std::string& file_name) : path_(BinaryDir() + "/" + file_name) {
  std::string error;
  module_ = platform::Module::Load(platform::Utf8ToUtf16(path_), &error);
  if (!module_) ADD_FAILURE() << "cannot load " << path_ << ": " << error;
}

void* LibraryUnderTest::Symbol(const char* symbol) const {
  if (!module_) return nullptr;
  std::string error;
  void* address = module_->Symbol(symbol, &error);
  if (address == nullptr) ADD_FAILURE() << "no symbol " << symbol << " in " << path_ << ": " << error;
  return address;
}

}  // namespace lumarine_testing
