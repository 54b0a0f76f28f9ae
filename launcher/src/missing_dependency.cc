#include "missing_dependency.h"

#include <vector>

#include "library_file.h"
#include "platform/files.h"
#include "platform/module.h"
#include "platform/unicode.h"
#include "search_path.h"

namespace launcher {
namespace {

// Replaces each "$ORIGIN" and "${ORIGIN}" by the library's folder.
platform::WString ExpandOrigin(platform::WString folder, platform::WStringView origin) {
  for (platform::WStringView token : {platform::WStringView(u"${ORIGIN}"), platform::WStringView(u"$ORIGIN")}) {
    for (std::size_t at = folder.find(token); at != platform::WString::npos; at = folder.find(token, at + origin.size())) {
      folder.replace(at, token.size(), origin);
    }
  }
  return folder;
}

std::vector<platform::WString> LibrarySearchFolders(const std::vector<std::string>& search_paths,
                                                    platform::WStringView origin) {
  std::vector<platform::WString> folders;
  for (const std::string& value : search_paths) {
    const SearchPath path = SearchPath::Parse(platform::Utf8ToUtf16(value));
    for (const platform::WString& folder : path.folders()) {
      folders.push_back(ExpandOrigin(folder, origin));
    }
  }
  return folders;
}

bool CanLoad(const platform::WString& name, const std::vector<platform::WString>& folders) {
  if (name.find(u'/') == platform::WString::npos) {
    for (const platform::WString& folder : folders) {
      const platform::WString candidate = platform::JoinPath(folder, name);
      if (LoadCompleteLibrary(candidate)) return true;
    }
  }
  return platform::Module::Load(name) != nullptr;
}

}  // namespace

std::optional<platform::WString> FirstMissingDependency(platform::WStringView library_path) {
  const std::optional<std::string> image = platform::ReadWholeFile(library_path);
  if (!image) return std::nullopt;
  const LibraryDependencies dependencies = ReadLibraryDependencies(*image);
  const std::vector<platform::WString> folders =
      LibrarySearchFolders(dependencies.search_paths, platform::ParentFolder(library_path));
  for (const std::string& needed : dependencies.needed) {
    platform::WString name = platform::Utf8ToUtf16(needed);
    if (!CanLoad(name, folders)) return name;
  }
  return std::nullopt;
}

}  // namespace launcher
