#include "control_event_server.h"

#include <gtest/gtest.h>

#include "kestrun_process.h"
#include "platform/unicode.h"
#include "rpc/file_mapping_server.h"

namespace Kestrun::testing {

class ControlEventServer::Function : public IRPCFunDelegate {
 public:
  explicit Function(ControlEventServer* server) : server_(server) {}

  int Invoke(const platform::WChar* function, const platform::WChar* parameters, const platform::WChar** result,
             const platform::WChar** error) override {
    const std::string name = platform::Utf16ToUtf8(function);
    const std::string text = platform::Utf16ToUtf8(parameters);
    server_->Record(name + "(" + text + ")");
    answer_ = platform::Utf8ToUtf16(server_->answer_(name, text));
    *result = answer_.c_str();
    *error = nullptr;
    return 0;
  }
  void AfterCall() override {}

 private:
  ControlEventServer* const server_;
  platform::WString answer_;
};

// Counts the rounds the server has closed (its trace line "WB9.").
class ControlEventServer::RoundCounter : public IRPCLogger {
 public:
  explicit RoundCounter(ControlEventServer* server) : server_(server) {}
  void Log(const platform::WChar* text) override {
    if (platform::WStringView(text).substr(0, 4) != u"WB9.") return;
    std::lock_guard<std::mutex> lock(server_->mutex_);
    ++server_->rounds_closed_;
    server_->round_closed_.notify_all();
  }

 private:
  ControlEventServer* const server_;
};

ControlEventServer::ControlEventServer(const platform::WString& identifier, const std::vector<std::string>& functions,
                                       Answer answer)
    : answer_(std::move(answer)),
      round_counter_(std::make_unique<RoundCounter>(this)),
      server_(std::make_unique<RPCServer::CRPCServer>(new RPCServer::CFileMappingServerImp())) {
  server_->SetLogger(round_counter_.get(), nullptr);
  for (const std::string& function : functions) {
    server_->RegisterFunction(platform::Utf8ToUtf16(function).c_str(), new Function(this));
  }
  const platform::WString name = u"Local\\" + identifier + u"_SECTQE_Server";
  EXPECT_EQ(server_->Start(name.c_str(), 0), 0) << "the control's event server cannot start";
}

ControlEventServer::~ControlEventServer() { server_.reset(); }

std::vector<std::string> ControlEventServer::Calls() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return calls_;
}

bool ControlEventServer::WaitForRoundsClosed(int count) {
  std::unique_lock<std::mutex> lock(mutex_);
  return round_closed_.wait_for(lock, kPatience, [&] { return rounds_closed_ >= count; });
}

void ControlEventServer::Record(const std::string& call) {
  std::lock_guard<std::mutex> lock(mutex_);
  calls_.push_back(call);
}

}  // namespace Kestrun::testing
