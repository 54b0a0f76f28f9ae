// Test data that comes from elsewhere lives outside the repository, in the
// shared data folder: $LUMARINE_SHARED_DATA when set and non-empty, else
// the folder the build was configured with (LUMARINE_SHARED_DATA_DIR).
// Tests that need it skip, with a clear message, when it is absent:
//
//   const std::string suite = SharedDataPath("JSONTestSuite");
//   if (!IsSharedDataPresent(suite)) GTEST_SKIP() << MissingSharedData(suite);
#pragma once

#include <string>

namespace lumarine_testing {

std::string SharedDataDir();

// SharedDataDir() + "/" + relative.
std::string SharedDataPath(const std::string& relative);

// True when the path exists (file or folder).
bool IsSharedDataPresent(const std::string& path);

// The skip message for a missing piece of shared data.
std::string MissingSharedData(const std::string& path);

}  // namespace lumarine_testing
