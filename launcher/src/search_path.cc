#include "search_path.h"

#include "platform/process.h"

namespace launcher {
namespace {

constexpr char16_t kVariable[] = u"LD_LIBRARY_PATH";
constexpr char16_t kSeparators[] = u":;";

}  // namespace

SearchPath SearchPath::Parse(platform::WStringView value) {
  SearchPath path;
  std::size_t start = 0;
  while (start <= value.size()) {
    std::size_t end = value.find_first_of(kSeparators, start);
    if (end == platform::WStringView::npos) end = value.size();
    if (end > start) path.folders_.emplace_back(value.substr(start, end - start));
    start = end + 1;
  }
  return path;
}

SearchPath SearchPath::FromEnvironment() {
  return Parse(platform::GetEnvironmentVariable(kVariable).value_or(u""));
}

void SearchPath::Prepend(platform::WStringView folder) {
  if (!folder.empty()) folders_.insert(folders_.begin(), platform::WString(folder));
}

platform::WString SearchPath::ToVariable() const {
  platform::WString value;
  for (const platform::WString& folder : folders_) {
    if (folder.find_first_of(kSeparators) != platform::WString::npos) continue;
    if (!value.empty()) value += u':';
    value += folder;
  }
  return value;
}

void SearchPath::Export() const {
  const platform::WString value = ToVariable();
  platform::SetEnvironmentVariable(kVariable, value.empty() ? std::nullopt : std::optional<platform::WString>(value));
}

}  // namespace launcher
