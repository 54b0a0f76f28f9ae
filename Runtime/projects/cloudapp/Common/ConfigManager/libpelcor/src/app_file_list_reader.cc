#include "app_file_list_reader.h"

#include <algorithm>
#include <unordered_set>

#include "json_members.h"
#include "libpelcor/config_result.h"

namespace {

AppFileNode ReadFileNode(const JsonValue& file) {
  AppFileNode node;
  node.Name = GetStringMember(file, u"Name");
  node.Path = GetStringMember(file, u"Path");
  node.HashCode = GetStringMember(file, u"HashCode");
  node.Extractable = GetBoolMember(file, u"Extractable", false) ? 1 : 0;
  node.Size = GetUintMember(file, u"Size", 0);
  return node;
}

}  // namespace

AppFileListReader::AppFileListReader(const JsonValue& root) {
  const JsonValue* packages = FindMember(root, u"Packages");
  if (packages != nullptr && packages->IsObject()) {
    for (const auto& member : packages->GetObject()) packages_.emplace(StringOf(member.name), &member.value);
  }
  file_budget_ = std::max(kMinFileBudget, kFilesPerWrittenFile * CountFilesRead(root));
}

std::size_t AppFileListReader::CountFilesRead(const JsonValue& root) const {
  std::vector<const JsonValue*> lists = {FindMember(root, u"PredownloadFiles"),
                                         FindMember(root, u"InstantDownloadFiles")};
  std::unordered_set<platform::WStringView> reached;
  std::size_t count = 0;
  while (!lists.empty()) {
    const JsonValue* files = lists.back();
    lists.pop_back();
    if (files == nullptr || !files->IsArray()) continue;
    for (const JsonValue& file : files->GetArray()) {
      if (!file.IsObject()) continue;
      ++count;
      if (!GetBoolMember(file, u"Extractable", false)) continue;
      const auto contents = packages_.find(GetStringMember(file, u"Name"));
      if (contents != packages_.end() && reached.insert(contents->first).second) lists.push_back(contents->second);
    }
  }
  return count;
}

std::uint32_t AppFileListReader::Check(const JsonValue& files) { return Walk(files, nullptr, checked_files_); }

std::uint32_t AppFileListReader::Read(const JsonValue& files, std::list<AppFileNode>& list) {
  return Walk(files, &list, read_files_);
}

std::uint32_t AppFileListReader::Walk(const JsonValue& files, std::list<AppFileNode>* list, std::size_t& visited) {
  for (const JsonValue& file : files.GetArray()) {
    if (!file.IsObject()) continue;
    if (++visited > file_budget_) return CONFIG_INVALID_JSON;
    AppFileNode* node = list != nullptr ? &list->emplace_back(ReadFileNode(file)) : nullptr;
    if (!GetBoolMember(file, u"Extractable", false)) continue;
    const std::uint32_t code =
        WalkContents(GetStringMember(file, u"Name"), node != nullptr ? &node->Children : nullptr, visited);
    if (code != CONFIG_OK) return code;
  }
  return CONFIG_OK;
}

std::uint32_t AppFileListReader::WalkContents(platform::WStringView name, std::list<AppFileNode>* children,
                                              std::size_t& visited) {
  if (std::find(open_packages_.begin(), open_packages_.end(), name) != open_packages_.end()) return CONFIG_OK;
  const auto contents = packages_.find(name);
  if (contents == packages_.end() || !contents->second->IsArray()) return CONFIG_OK;
  if (open_packages_.size() == kMaxPackageDepth) return CONFIG_INVALID_JSON;
  open_packages_.push_back(name);
  const std::uint32_t code = Walk(*contents->second, children, visited);
  open_packages_.pop_back();
  return code;
}
