#include "reference_server.h"

#include <cstring>

#include "platform/file_mapping.h"
#include "platform/named_semaphore.h"
#include "reference_channel.h"

namespace rpc_test::reference {
namespace {

constexpr int kClient2Retries = 200;

}  // namespace

// The handles of one round; all of them are closed at R9.
struct Server::Round {
  explicit Round(const platform::WString& mapping_name) : names(mapping_name) {}
  Names names;
  std::unique_ptr<platform::NamedSemaphore> server1, server2, client1, client2;
  std::unique_ptr<platform::FileMapping> mapping;
  platform::WString function, parameters, reply;
};

bool CopyCharacters(void* view, std::size_t size, platform::WStringView text) {
  if (size < text.size() * 2) return false;  // a Windows view would fault
  std::memcpy(view, text.data(), text.size() * 2);
  return true;
}

Server::Server(platform::WString mapping_name, IRPCLogger* logger)
    : mapping_name_(std::move(mapping_name)), logger_(logger), write_reply_(CopyCharacters) {}

Server::~Server() = default;

void Server::RegisterFunction(const platform::WChar* name, IRPCFunDelegate* delegate) {
  functions_[name].reset(delegate);
}

void Server::Serve() {
  for (;;) {
    Round round(mapping_name_);
    if (!ServeRound(round)) return;
  }
}

bool Server::ServeRound(Round& round) {
  // R1
  round.server1 = platform::NamedSemaphore::Create(round.names.server1, 0, 1);
  round.server2 = platform::NamedSemaphore::Create(round.names.server2, 0, 1);
  Log(u"WB----------------------------------");
  Log(mapping_name_.c_str());
  Log(u"WB1. 等待客户端接入;.");
  if (round.server1 == nullptr || round.server2 == nullptr || !WaitForever(*round.server1)) return false;
  // R2, R3
  if (!ReadRequest(round)) return false;
  // R4
  Log(u"WB4. 通知客户端数据已读取完成;");
  round.client1 = platform::NamedSemaphore::Open(round.names.client1);
  if (round.client1 != nullptr) round.client1->Release();
  // R5
  Log(u"WB5. 执行函数，并将结果写入共享内存中;");
  Log((u"执行函数【" + round.function + u"】").c_str());
  round.reply = Run(round.function, round.parameters);
  // R6, R7
  if (!WriteReply(round)) return false;
  // R8
  Log(u"WB8. 等待结果被客户端取完; ");
  if (!WaitForever(*round.server2)) return false;
  // R9: the round's handles go with it.
  Log(u"WB9. 关闭共享内存; ");
  return true;
}

bool Server::ReadRequest(Round& round) {
  Log(u"WB2. 打开共享内存读取请求数据;.");
  round.mapping = platform::FileMapping::Open(round.names.mapping);
  void* view = round.mapping != nullptr ? round.mapping->MapView() : nullptr;
  if (view == nullptr) {
    Log(round.mapping == nullptr ? u"连接服务器失败" : u"获取共享内存地址失败");
    Log(u"WB2:创建服务器失败.");
    EndAsFailed(round);
    return false;
  }
  const platform::WString text = TextInView(view, round.mapping->size());
  const std::size_t colon = text.find(u':');
  round.function = colon == platform::WString::npos ? text : text.substr(0, colon);
  round.parameters = colon == platform::WString::npos ? text : text.substr(colon + 1);
  const std::size_t filled = std::min((text.size() + 1) * 2, round.mapping->size());
  std::memset(view, 0, filled);
  Log(u"WB3. 关闭上次写数据的共享内存; ");
  round.mapping.reset();
  return true;
}

bool Server::WriteReply(Round& round) {
  Log(u"WB6. 打开共享内存写数据;");
  const std::size_t bytes = reply_mapping_bytes_ != 0 ? reply_mapping_bytes_ : round.reply.size() * 2 + 4;
  round.mapping = platform::FileMapping::Create(round.names.mapping, bytes);
  void* view = round.mapping != nullptr ? round.mapping->MapView() : nullptr;
  const bool written = view != nullptr && write_reply_(view, round.mapping->size(), round.reply);
  // Without a reply the client is still woken, to find none.
  if (written) Log(u"WB7. 通知客户端结果已经发送; ");
  round.client2 = OpenSemaphore(round.names.client2, kClient2Retries);
  if (round.client2 != nullptr) round.client2->Release();
  if (!written) EndAsFailed(round);
  return written;
}

void Server::EndAsFailed(Round& round) {
  round.server1.reset();
  round.server2.reset();
  round.client1.reset();
  round.client2.reset();
  Log(u"发关远程过程执行结果失败.");
  round.mapping.reset();
}

platform::WString Server::Run(const platform::WString& function, const platform::WString& parameters) {
  const auto found = functions_.find(function);
  if (found == functions_.end()) return platform::WString();
  const platform::WChar* result = nullptr;
  const platform::WChar* error = nullptr;
  found->second->Invoke(function.c_str(), parameters.c_str(), &result, &error);
  const platform::WString chosen = result != nullptr && *result != 0 ? result : (error != nullptr ? error : u"");
  found->second->AfterCall();
  return chosen;
}

void Server::Log(const platform::WChar* text) const { reference::Log(logger_, text); }

}  // namespace rpc_test::reference
