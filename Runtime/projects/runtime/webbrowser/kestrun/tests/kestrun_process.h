// Starting a real Kestrun for the end-to-end tests, and reading what the
// renderer runtime reports about its dispatch.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cef_process_message.h"
#include "cefshim/host/renderer_process.h"
#include "testing/patience.h"

namespace Kestrun::testing {

// How long a test waits for one step: only a hang exceeds it.
inline const std::chrono::milliseconds kPatience = lumarine_testing::Patience();

inline std::unique_ptr<cefshim::host::RendererProcess> StartKestrun(const std::vector<std::string>& arguments) {
  std::string error;
  auto process = cefshim::host::RendererProcess::Start(KESTRUN_EXECUTABLE, arguments, &error);
  EXPECT_TRUE(process) << error;
  return process;
}

// A message with [0] an empty packed id and [1] `text` when given.
inline CefRefPtr<CefProcessMessage> Message(const CefString& name, const char16_t* text = nullptr) {
  CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create(name);
  const std::uint8_t packed[9] = {0};
  message->GetArgumentList()->SetBinary(0, CefBinaryValue::Create(packed, sizeof packed));
  if (text) message->GetArgumentList()->SetString(1, text);
  return message;
}

// The answers of OnProcessMessageReceived in the traced output, in order,
// each as `"name" true|false`.
inline std::vector<std::string> DispatchAnswers(const std::string& output) {
  const std::string prefix = "cefshim: OnProcessMessageReceived(";
  std::vector<std::string> answers;
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    if (line.compare(0, prefix.size(), prefix) != 0) continue;
    const std::size_t close = line.rfind(") returned ");
    if (close == std::string::npos) continue;
    answers.push_back(line.substr(prefix.size(), close - prefix.size()) + " " + line.substr(close + 11));
  }
  return answers;
}

// The process ended by exit with code 0.
inline void ExpectExitCodeZero(cefshim::host::RendererProcess& process) {
  const std::optional<cefshim::host::ExitStatus> status = process.WaitForExit(kPatience);
  ASSERT_TRUE(status) << "Kestrun did not exit";
  EXPECT_TRUE(status->exited) << "killed by signal " << status->signal;
  EXPECT_EQ(status->code, 0) << process.Output();
}

}  // namespace Kestrun::testing
