// Test data that comes from elsewhere (JSONTestSuite, the nativejson
// documents) is kept in the repository, in testing/data/, each set with its
// licence; a clone runs every test that needs it. LUMARINE_TEST_DATA_DIR is
// that folder (target lumarine_test_data).
#pragma once

#include <string>

namespace lumarine_testing {

// The path of `relative` inside the test-data folder, e.g.
// TestDataPath("nativejson/canada.json").
inline std::string TestDataPath(const std::string& relative) {
  return std::string(LUMARINE_TEST_DATA_DIR) + "/" + relative;
}

}  // namespace lumarine_testing
