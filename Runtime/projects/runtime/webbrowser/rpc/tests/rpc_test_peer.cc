// rpc_test_peer: the other process of the RPC tests. Each mode prints what
// happened, one line each, and (where it holds something) waits for its
// standard input to close before it lets go.
//
//   server <mapping> [<die-at prefix> <occurrence>]   serves the test functions
//   client <mapping> <function> <parameters> [<die-at prefix> <occurrence>]
//   calls <mapping> <count> <tag>                     count echo calls, checked
//   ref-server, ref-client, ref-calls: the same with the reference peers
//     written from the channel's description (ref-calls take turns with
//     the test's other reference callers under the mutex <mapping>-turns)
//   hold-semaphore <name>    hold-mutex <name>
//   hold-filled <name> <bytes>   a mapping of that size and the mutex of
//     that name (locked), their bytes all "x"
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "platform/file_mapping.h"
#include "platform/named_mutex.h"
#include "platform/named_semaphore.h"
#include "platform/stoppable_thread.h"
#include "platform/unicode.h"
#include "reference_client.h"
#include "reference_server.h"
#include "rpc/file_mapping_client.h"
#include "rpc/file_mapping_server.h"
#include "test_functions.h"

namespace {

using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;

void Say(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

void WaitForInputToClose() {
  char buffer[64];
  while (::read(0, buffer, sizeof buffer) > 0) {
  }
}

std::unique_ptr<rpc_test::DieAtLogger> DieAt(int argc, char** argv, int first) {
  if (argc < first + 2) return nullptr;
  return std::make_unique<rpc_test::DieAtLogger>(Utf8ToUtf16(argv[first]), std::atoi(argv[first + 1]));
}

int Serve(int argc, char** argv) {
  auto logger = DieAt(argc, argv, 3);
  RPCServer::CRPCServer server(new RPCServer::CFileMappingServerImp());
  rpc_test::RegisterTestFunctions(server);
  server.SetLogger(logger.get(), nullptr);
  if (server.Start(Utf8ToUtf16(argv[2]).c_str(), 0) != 0) {
    Say("start failed");
    return 1;
  }
  Say("ready");
  WaitForInputToClose();
  server.Stop();
  return 0;
}

// Says "ready" once the reference server has made its semaphores, and
// passes every line on to the die-at logger, if any.
class ReadyLogger : public IRPCLogger {
 public:
  explicit ReadyLogger(IRPCLogger* next) : next_(next) {}
  void Log(const platform::WChar* text) override {
    if (!ready_ && platform::WStringView(text).substr(0, 4) == u"WB1.") {
      ready_ = true;
      Say("ready");
    }
    if (next_ != nullptr) next_->Log(text);
  }

 private:
  IRPCLogger* const next_;
  bool ready_ = false;
};

int ServeByReference(int argc, char** argv) {
  auto die_at = DieAt(argc, argv, 3);
  ReadyLogger logger(die_at.get());
  rpc_test::reference::Server server(Utf8ToUtf16(argv[2]), &logger);
  rpc_test::RegisterTestFunctions(
      [&server](const platform::WChar* name, IRPCFunDelegate* delegate) { server.RegisterFunction(name, delegate); });
  platform::StoppableThread thread;
  thread.Start([&server] { server.Serve(); });
  WaitForInputToClose();
  return 0;  // the thread is stopped and joined first
}

std::string Shown(const platform::WChar* text) { return text == nullptr ? "(null)" : Utf16ToUtf8(text); }

std::string Shown(const std::optional<platform::WString>& text) { return text ? Utf16ToUtf8(*text) : "(null)"; }

void SayOutcome(const rpc_test::Outcome& outcome) {
  Say("rc=" + std::to_string(outcome.rc));
  Say("result=" + Shown(outcome.result));
  Say("error=" + Shown(outcome.error));
}

int CallOnce(int argc, char** argv) {
  if (argc < 5) return 2;
  auto logger = DieAt(argc, argv, 5);
  RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
  client.SetLogger(logger.get(), nullptr);
  client.Connect(Utf8ToUtf16(argv[2]).c_str(), 0);
  const platform::WChar* result = nullptr;
  const platform::WChar* error = nullptr;
  const int rc = client.Call(Utf8ToUtf16(argv[3]).c_str(), Utf8ToUtf16(argv[4]).c_str(), &result, &error);
  SayOutcome(rpc_test::Outcome{rc, result ? std::optional<platform::WString>(result) : std::nullopt,
                               error ? std::optional<platform::WString>(error) : std::nullopt});
  return 0;
}

int CallOnceByReference(int argc, char** argv) {
  if (argc < 5) return 2;
  auto logger = DieAt(argc, argv, 5);
  SayOutcome(rpc_test::reference::Call(Utf8ToUtf16(argv[2]), Utf8ToUtf16(argv[3]), Utf8ToUtf16(argv[4]), logger.get()));
  return 0;
}

int CallManyByReference(int argc, char** argv) {
  if (argc < 5) return 2;
  const platform::WString mapping = Utf8ToUtf16(argv[2]);
  auto turns = platform::NamedMutex::Create(mapping + u"-turns");
  const int count = std::atoi(argv[3]);
  for (int i = 0; i < count; ++i) {
    const std::string sent = std::string(argv[4]) + "-" + std::to_string(i);
    if (turns == nullptr || !turns->Lock()) return 1;
    const rpc_test::Outcome outcome = rpc_test::reference::Call(mapping, u"echo", Utf8ToUtf16(sent));
    turns->Unlock();
    if (outcome.rc != 0 || outcome.result != Utf8ToUtf16(sent)) {
      Say("bad " + sent + " rc=" + std::to_string(outcome.rc) + " got=" + Shown(outcome.result));
      return 1;
    }
  }
  Say("ok");
  return 0;
}

int CallMany(int argc, char** argv) {
  if (argc < 5) return 2;
  RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
  client.Connect(Utf8ToUtf16(argv[2]).c_str(), 0);
  const int count = std::atoi(argv[3]);
  for (int i = 0; i < count; ++i) {
    const std::string sent = std::string(argv[4]) + "-" + std::to_string(i);
    const platform::WChar* result = nullptr;
    const int rc = client.Call(u"echo", Utf8ToUtf16(sent).c_str(), &result, nullptr);
    if (rc != 0 || result == nullptr || Utf16ToUtf8(result) != sent) {
      Say("bad " + sent + " rc=" + std::to_string(rc) + " got=" + Shown(result));
      return 1;
    }
  }
  Say("ok");
  return 0;
}

int HoldSemaphore(const char* name) {
  auto semaphore = platform::NamedSemaphore::Create(Utf8ToUtf16(name), 0, 1);
  Say(semaphore != nullptr ? "ready" : "failed");
  WaitForInputToClose();
  return 0;
}

// What a process that dies holding them leaves: a mapping and a mutex
// whose bytes it has filled (the mutex's through its file).
int HoldFilled(const char* name_text, const char* size_text) {
  const platform::WString name = Utf8ToUtf16(name_text);
  auto mapping = platform::FileMapping::Create(name, std::strtoul(size_text, nullptr, 10));
  void* view = mapping != nullptr ? mapping->MapView() : nullptr;
  if (view != nullptr) std::memset(view, 'x', mapping->size());
  auto mutex = platform::NamedMutex::Create(name);
  const std::string mutex_file = platform::NamedObjectFile::Folder() + "/" +
                                 platform::NamedObjectFile::FileName(platform::NamedObjectKind::kMutex, name);
  const int fd = ::open(mutex_file.c_str(), O_WRONLY | O_CLOEXEC);
  const bool filled = view != nullptr && mutex != nullptr && mutex->Lock() && fd >= 0 && ::pwrite(fd, "xx", 2, 0) == 2;
  Say(filled ? "ready" : "failed");
  WaitForInputToClose();
  return 0;
}

int HoldMutex(const char* name) {
  auto mutex = platform::NamedMutex::Create(Utf8ToUtf16(name));
  Say(mutex != nullptr && mutex->Lock() ? "ready" : "failed");
  WaitForInputToClose();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string mode = argv[1];
  if (mode == "server") return Serve(argc, argv);
  if (mode == "client") return CallOnce(argc, argv);
  if (mode == "calls") return CallMany(argc, argv);
  if (mode == "ref-server") return ServeByReference(argc, argv);
  if (mode == "ref-client") return CallOnceByReference(argc, argv);
  if (mode == "ref-calls") return CallManyByReference(argc, argv);
  if (mode == "hold-semaphore") return HoldSemaphore(argv[2]);
  if (mode == "hold-mutex") return HoldMutex(argv[2]);
  if (mode == "hold-filled" && argc >= 4) return HoldFilled(argv[2], argv[3]);
  return 2;
}
