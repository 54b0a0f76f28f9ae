// Which entry the launcher calls, with what, and what its exit code becomes.
#include <gtest/gtest.h>

#include "app_folder.h"

namespace launcher_testing {
namespace {

class Entry : public ::testing::Test {
 protected:
  void SetUp() override { app_.InstallRuntime(app_.Path("app"), RECORDING_RUNTIME); }
  AppFolder app_;
};

TEST_F(Entry, NormalEntryGetsTheSixArgumentsAndTheCommandTail) {
  const Outcome outcome = app_.Run({"plain", "two words", "", "say \"hi\"", "a\\b c\\", "q\\\"", "ünïcode"});
  EXPECT_EQ(outcome.exit_code, 0);
  EXPECT_EQ(outcome.errors, "");
  const std::map<std::string, std::string> expected = {
      {"entry", "FN_RunExecutable"},
      {"instance", "executable"},
      {"previous_instance", "null"},
      {"tail", R"(plain "two words" "" "say \"hi\"" "a\b c\\" "q\\\"" ünïcode)"},
      {"show_window", "10"},
      {"reserved_1000", "1000"},
      {"reserved_0", "0"},
      {"ld_library_path", "(unset)"},
      {"library", app_.Path("app/libtqvm.so")},
  };
  EXPECT_EQ(app_.Record(), expected);
  app_.Run();
  EXPECT_EQ(app_.Record()["tail"], "");
}

TEST_F(Entry, DebugTokenAnywhereInTheTailSelectsTheDebugEntry) {
  app_.Run({"--x", "TQHostAttachedDebug"});
  EXPECT_EQ(app_.Record()["entry"], "PD_HostAttachedTarget");
  app_.Run({"xTQHostAttachedDebugy"});
  EXPECT_EQ(app_.Record()["entry"], "PD_HostAttachedTarget");
  app_.Run({"tqhostattacheddebug"});
  EXPECT_EQ(app_.Record()["entry"], "FN_RunExecutable");
}

TEST_F(Entry, MissingEntryExitsWithMinusOneAndNoMessage) {
  app_.InstallRuntime(app_.Path("app"), RECORDING_RUNTIME_WITHOUT_DEBUG_ENTRY);
  const Outcome outcome = app_.Run({"TQHostAttachedDebug"});
  EXPECT_EQ(outcome.exit_code, 255);
  EXPECT_EQ(outcome.errors, "");
  EXPECT_TRUE(app_.Record().empty());
}

TEST_F(Entry, RuntimeResultBecomesTheEightBitExitCode) {
  for (const auto& [result, exit_code] : {std::pair{7, 7}, {-1, 255}, {-2, 254}, {256, 0}, {300, 44}}) {
    app_.runtime_result = result;
    EXPECT_EQ(app_.Run().exit_code, exit_code) << result;
  }
}

}  // namespace
}  // namespace launcher_testing
