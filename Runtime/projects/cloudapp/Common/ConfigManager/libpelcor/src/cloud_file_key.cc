#include "cloud_file_key.h"

#include <utility>

platform::WString CloudFileKey(const CloudFileInfo& file) {
  if (file.Path.empty()) return file.Name;
  platform::WString key;
  key.reserve(file.Path.size() + 1 + file.Name.size());
  key += file.Path;
  if (key.back() != u'\\') key += u'\\';
  key += file.Name;
  return key;
}

void InsertUnderKey(CloudFileMap& files, CloudFileInfo&& file) {
  platform::WString key = CloudFileKey(file);
  files.try_emplace(std::move(key), std::move(file));
}
