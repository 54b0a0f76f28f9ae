#include "control_event_server.h"

#include <gtest/gtest.h>

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

ControlEventServer::ControlEventServer(const platform::WString& identifier, const std::vector<std::string>& functions,
                                       Answer answer)
    : answer_(std::move(answer)),
      server_(std::make_unique<RPCServer::CRPCServer>(new RPCServer::CFileMappingServerImp())) {
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

void ControlEventServer::Record(const std::string& call) {
  std::lock_guard<std::mutex> lock(mutex_);
  calls_.push_back(call);
}

}  // namespace Kestrun::testing
