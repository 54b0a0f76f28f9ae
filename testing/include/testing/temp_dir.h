// A temporary folder for one test: created under platform::TempFolder()
// with a unique name, removed with everything in it when the object is
// destroyed. Helpers write and read files inside it by relative name.
// Thread safety: one TempDir per thread; distinct objects never collide.
// Creation failure fails the current test (path() is then "").
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/text_types.h"

namespace lumarine_testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder (UTF-16 and on-disk forms), without a trailing "/".
  const platform::WString& path() const { return path_; }
  std::string native_path() const;

  // The full path of `relative` inside the folder.
  platform::WString File(platform::WStringView relative) const;

  // Writes `bytes` to `relative` (creating its parent folders), replacing
  // any previous content. Fails the current test and returns false on error.
  bool Write(platform::WStringView relative, std::string_view bytes) const;

  // The content of `relative`; nullopt when it cannot be read.
  std::optional<std::string> Read(platform::WStringView relative) const;

 private:
  platform::WString path_;
};

}  // namespace lumarine_testing
