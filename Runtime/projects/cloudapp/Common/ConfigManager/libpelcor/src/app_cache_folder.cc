#include "app_cache_folder.h"

#include "platform/files.h"

platform::WString AppCacheFolder(platform::WStringView app_name) {
  platform::WString folder = platform::JoinPath(platform::TempFolder(), u"tqappscache 22.0/temp/");
  folder += app_name;
  return folder;
}
