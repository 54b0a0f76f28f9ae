#include "register_file_index.h"

#include "platform/wide_string.h"

namespace {

bool EndsInSeparator(platform::WStringView path) {
  return !path.empty() && (path.back() == u'\\' || path.back() == u'/');
}

platform::WString JoinRelative(platform::WStringView folder, platform::WStringView name) {
  platform::WString path(folder);
  if (!path.empty() && !EndsInSeparator(path)) path += u'\\';
  path += name;
  return path;
}

}  // namespace

RegisterFileIndex::RegisterFileIndex(const std::list<AppFileNode>& files) {
  for (const AppFileNode& file : files) {
    if (file.Extractable == 0) {
      Add(JoinRelative(file.Path, file.Name), file);
      continue;
    }
    for (const AppFileNode& content : file.Children) {
      Add(JoinRelative(JoinRelative(file.Path, content.Path), content.Name), content);
    }
  }
}

void RegisterFileIndex::Add(platform::WStringView path, const AppFileNode& file) {
  files_.try_emplace(platform::WToLowerAscii(path), &file);
}

const AppFileNode* RegisterFileIndex::Find(platform::WStringView path) const {
  const auto found = files_.find(platform::WToLowerAscii(path));
  return found != files_.end() ? found->second : nullptr;
}
