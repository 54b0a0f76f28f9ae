// The trace lines of the server and the client, written to an optional
// IRPCLogger. The texts are the system's own and stay as they are.
#pragma once

#include <atomic>

#include "platform/text_types.h"
#include "rpc/rpc_logger.h"

namespace RPCChannel {

inline constexpr const platform::WChar* kTraceRule = u"WB----------------------------------";

namespace server_trace {
inline constexpr const platform::WChar* kWaitForClient = u"WB1. 等待客户端接入;.";
inline constexpr const platform::WChar* kOpenRequest = u"WB2. 打开共享内存读取请求数据;.";
inline constexpr const platform::WChar* kOpenFailed = u"连接服务器失败";
inline constexpr const platform::WChar* kViewFailed = u"获取共享内存地址失败";
inline constexpr const platform::WChar* kRequestFailed = u"WB2:创建服务器失败.";
inline constexpr const platform::WChar* kCloseRequest = u"WB3. 关闭上次写数据的共享内存; ";
inline constexpr const platform::WChar* kRequestRead = u"WB4. 通知客户端数据已读取完成;";
inline constexpr const platform::WChar* kRunFunction = u"WB5. 执行函数，并将结果写入共享内存中;";
inline constexpr const platform::WChar* kFunctionOpen = u"执行函数【";
inline constexpr const platform::WChar* kFunctionClose = u"】";
inline constexpr const platform::WChar* kWriteReply = u"WB6. 打开共享内存写数据;";
inline constexpr const platform::WChar* kReplySent = u"WB7. 通知客户端结果已经发送; ";
inline constexpr const platform::WChar* kWaitForTaken = u"WB8. 等待结果被客户端取完; ";
inline constexpr const platform::WChar* kCloseReply = u"WB9. 关闭共享内存; ";
inline constexpr const platform::WChar* kRoundFailed = u"发关远程过程执行结果失败.";
}  // namespace server_trace

namespace client_trace {
inline constexpr const platform::WChar* kWriteRequest = u"WB1. 创建共享内存，并写入数据;";
inline constexpr const platform::WChar* kWriteFailed = u"执行函数失败";
inline constexpr const platform::WChar* kNotifyServer = u"WB2. 通知 Sever 接收数据;";
inline constexpr const platform::WChar* kNotifyFailed = u"通知 Sever 接收数据失败;";
inline constexpr const platform::WChar* kWaitForRead = u"WB3. 等待 Server 接收完成数据;";
inline constexpr const platform::WChar* kCloseRequest = u"WB4. 释放发送数据的共享内存;";
inline constexpr const platform::WChar* kWaitForReply = u"WB5. 等待 Server 发送结果;";
inline constexpr const platform::WChar* kWaitFailed = u"执行函数超时";
inline constexpr const platform::WChar* kReadReply = u"WB6. 读取 Server 读取结果;";
inline constexpr const platform::WChar* kOpenFailed = u"连接服务器失败";
inline constexpr const platform::WChar* kViewFailed = u"获取共享内存地址失败";
inline constexpr const platform::WChar* kReadFailed = u"取执行结果失败";
inline constexpr const platform::WChar* kCloseReply = u"WB7. 关闭读数据的共享内存;";
inline constexpr const platform::WChar* kReplyTaken = u"WB8. 通知结果已读取完成;";
}  // namespace client_trace

// Writes to the logger of the moment, if any. The logger may be replaced
// from another thread.
class Trace {
 public:
  void set_logger(IRPCLogger* logger) { logger_.store(logger, std::memory_order_release); }
  void operator()(const platform::WChar* text) const;
  void operator()(const platform::WString& text) const { (*this)(text.c_str()); }

 private:
  std::atomic<IRPCLogger*> logger_{nullptr};
};

}  // namespace RPCChannel
