#include "testing/shared_data.h"

#include <sys/stat.h>

#include <cstdlib>

namespace lumarine_testing {

std::string SharedDataDir() {
  const char* dir = std::getenv("LUMARINE_SHARED_DATA");
  return dir && *dir ? dir : LUMARINE_SHARED_DATA_DIR;
}

std::string SharedDataPath(const std::string& relative) { return SharedDataDir() + "/" + relative; }

bool IsSharedDataPresent(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

std::string MissingSharedData(const std::string& path) {
  return "shared test data not found: " + path + " (set LUMARINE_SHARED_DATA to the shared data folder)";
}

}  // namespace lumarine_testing
