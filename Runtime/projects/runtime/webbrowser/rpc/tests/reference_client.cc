#include "reference_client.h"

#include <cstring>

#include "platform/file_mapping.h"
#include "reference_channel.h"

namespace rpc_test::reference {
namespace {

constexpr int kClientSemaphoreRetries = 200;
constexpr int kServer1Retries = 20;
constexpr int kServer2Retries = 200;
constexpr platform::WStringView kErrorOpening = u"{\"type\":\"error\"";

// The handles of one call; all of them are closed as the call ends.
struct Handles {
  std::unique_ptr<platform::NamedSemaphore> client1, client2, server1, server2;
  std::unique_ptr<platform::FileMapping> mapping;
};

Outcome Failed(int rc = 1) { return Outcome{rc, std::nullopt, std::nullopt}; }

Outcome Answered(const platform::WString& reply) {
  Outcome outcome{0, std::nullopt, std::nullopt};
  if (reply.empty()) return outcome;
  if (platform::WStringView(reply).substr(0, kErrorOpening.size()) == kErrorOpening) {
    outcome.error = reply;
  } else {
    outcome.result = reply;
  }
  return outcome;
}

// C2: the request mapping at its exact size (or `bytes`), the text written
// through a view. 0, or the call's failure code.
int WriteRequest(Handles& call, const Names& names, const platform::WString& text, std::size_t bytes,
                 const RequestWriter& write, IRPCLogger* logger) {
  if (bytes == 0) bytes = (text.size() - 1) * 2 + 4;  // (function + parameters) x 2 + 4
  call.mapping = platform::FileMapping::Create(names.mapping, bytes);
  void* view = call.mapping != nullptr ? call.mapping->MapView() : nullptr;
  if (view == nullptr) {
    Log(logger, u"执行函数失败");
    return 1;
  }
  return write(view, call.mapping->size(), text) ? 0 : kViewTooSmall;
}

// C5: the reply, read up to its first zero. False when it cannot be read.
bool ReadReply(const Names& names, platform::WString* reply, IRPCLogger* logger) {
  auto mapping = platform::FileMapping::Open(names.mapping);
  if (mapping == nullptr) {
    Log(logger, u"连接服务器失败");
    return false;
  }
  const void* view = mapping->MapView();
  if (view == nullptr) {
    Log(logger, u"获取共享内存地址失败");
    return false;
  }
  *reply = TextInView(view, mapping->size());
  Log(logger, u"WB7. 关闭读数据的共享内存;");
  return true;
}

}  // namespace

bool CopyWithTerminator(void* view, std::size_t size, platform::WStringView text) {
  if (size < (text.size() + 1) * 2) return false;  // a Windows view would fault
  std::memcpy(view, text.data(), text.size() * 2);
  static_cast<char16_t*>(view)[text.size()] = 0;
  return true;
}

Outcome Call(const platform::WString& mapping, const platform::WString& function, const platform::WString& parameters,
             IRPCLogger* logger, std::size_t request_mapping_bytes, const RequestWriter& write) {
  if (function.empty()) return Failed();
  const Names names(mapping);
  Handles call;
  // C1
  call.client1 = CreateSemaphore(names.client1, kClientSemaphoreRetries);
  call.client2 = CreateSemaphore(names.client2, kClientSemaphoreRetries);
  if (call.client1 == nullptr || call.client2 == nullptr) return Failed();
  Log(logger, u"WB1. 创建共享内存，并写入数据;");
  // C2
  const platform::WString request = function + u":" + parameters;
  if (const int failed = WriteRequest(call, names, request, request_mapping_bytes, write, logger)) return Failed(failed);
  // C3
  Log(logger, u"WB2. 通知 Sever 接收数据;");
  call.server1 = OpenSemaphore(names.server1, kServer1Retries);
  if (call.server1 == nullptr) {
    Log(logger, u"通知 Sever 接收数据失败;");
    return Failed();
  }
  call.server1->Release();
  // C4
  Log(logger, u"WB3. 等待 Server 接收完成数据;");
  if (!WaitForever(*call.client1)) return Failed();
  Log(logger, u"WB4. 释放发送数据的共享内存;");
  call.mapping.reset();
  Log(logger, u"WB5. 等待 Server 发送结果;");
  if (!WaitForever(*call.client2)) return Failed();
  // C5
  Log(logger, u"WB6. 读取 Server 读取结果;");
  platform::WString reply;
  if (!ReadReply(names, &reply, logger)) return Failed();
  // C6
  Log(logger, u"WB8. 通知结果已读取完成;");
  call.server2 = OpenSemaphore(names.server2, kServer2Retries);
  if (call.server2 != nullptr) call.server2->Release();
  return Answered(reply);
}

}  // namespace rpc_test::reference
