#include "testing/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/files.h"
#include "platform/unicode.h"

namespace lumarine_testing {

TempDir::TempDir() {
  std::string pattern = platform::NativePath(platform::JoinPath(platform::TempFolder(), u"lumarine-test-XXXXXX"));
  if (::mkdtemp(pattern.data()) == nullptr) {
    ADD_FAILURE() << "cannot create a temporary folder " << pattern;
    return;
  }
  path_ = platform::Utf8ToUtf16(pattern);
}

TempDir::~TempDir() {
  if (path_.empty()) return;
  std::error_code ignored;
  // Make read-only folders made by a test removable again.
  for (auto it = std::filesystem::recursive_directory_iterator(native_path(), ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    }
  }
  std::filesystem::remove_all(native_path(), ignored);
}

std::string TempDir::native_path() const { return platform::NativePath(path_); }

platform::WString TempDir::File(platform::WStringView relative) const {
  return platform::JoinPath(path_, relative);
}

bool TempDir::Write(platform::WStringView relative, std::string_view bytes) const {
  const platform::WString file = File(relative);
  platform::CreateFolders(platform::ParentFolder(file));
  std::FILE* out = platform::OpenFile(file, "wb");
  bool ok = out != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  if (out != nullptr) ok = std::fclose(out) == 0 && ok;
  if (!ok) ADD_FAILURE() << "cannot write " << platform::NativePath(file);
  return ok;
}

std::optional<std::string> TempDir::Read(platform::WStringView relative) const {
  return platform::ReadWholeFile(File(relative));
}

}  // namespace lumarine_testing
