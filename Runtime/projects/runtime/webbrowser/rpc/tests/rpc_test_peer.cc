// rpc_test_peer: the other process of the RPC tests. Each mode prints what
// happened, one line each, and (where it holds something) waits for its
// standard input to close before it lets go.
//
//   server <mapping> [<step>]                  serves the test functions
//   client <mapping> <function> <parameters> [<step>]
//   calls <mapping> <count> <tag>              count echo calls, checked
//   ref-server, ref-client, ref-calls: the same with the reference peers
//     written from the channel's description (ref-calls take turns with
//     the test's other reference callers under the mutex <mapping>-turns)
//   ref-server-filling <mapping> <bytes>   a reference server whose reply
//     mappings are <bytes> large; the reply to "fill" fills its mapping
//     with the byte "x" (no zero anywhere)
//   ref-client-filling <mapping> <bytes> <units>   a reference client
//     whose request mapping is <bytes> large and begins with <units> units
//     of the byte "x" (no colon; no zero when they fill it)
//   hold-semaphore <name>    hold-mutex <name>
//   hold-filled <name> <bytes>   a mapping of that size and the mutex of
//     that name (locked), their bytes all "x"
//   open-mapping <name>      opens the live mapping of that name
//
// <step> is a trace line's prefix and what to do at it: "<prefix> <n>"
// dies at its n-th occurrence, "<prefix> tell" prints "at <prefix>" at its
// first.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
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

// Prints "at <prefix>" when a trace line that begins with `prefix` is first
// logged.
class TellAtLogger : public IRPCLogger {
 public:
  explicit TellAtLogger(std::string prefix) : prefix_(std::move(prefix)) {}
  void Log(const platform::WChar* text) override {
    if (!told_ && Utf16ToUtf8(text).rfind(prefix_, 0) == 0) {
      told_ = true;
      Say("at " + prefix_);
    }
  }

 private:
  const std::string prefix_;
  bool told_ = false;
};

// The logger of the <step> arguments from `first` on, if any.
std::unique_ptr<IRPCLogger> AtStep(int argc, char** argv, int first) {
  if (argc < first + 2) return nullptr;
  if (std::strcmp(argv[first + 1], "tell") == 0) return std::make_unique<TellAtLogger>(argv[first]);
  return std::make_unique<rpc_test::DieAtLogger>(Utf8ToUtf16(argv[first]), std::atoi(argv[first + 1]));
}

// Fills the first `units` units of a view with the byte "x" (a text
// without colon, and without zero when they fill the view).
bool FillWithX(void* view, std::size_t size, std::size_t units) {
  if (units * 2 > size) return false;
  std::memset(view, 'x', units * 2);
  return true;
}

int Serve(int argc, char** argv) {
  auto logger = AtStep(argc, argv, 3);
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
// passes every line on to the logger of its <step>, if any.
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

// A reference server of the test functions, set up by `configure`, until
// the input closes.
int ServeByReference(const platform::WString& mapping, IRPCLogger* step,
                     const std::function<void(rpc_test::reference::Server&)>& configure) {
  ReadyLogger logger(step);
  rpc_test::reference::Server server(mapping, &logger);
  rpc_test::RegisterTestFunctions(
      [&server](const platform::WChar* name, IRPCFunDelegate* delegate) { server.RegisterFunction(name, delegate); });
  configure(server);
  platform::StoppableThread thread;
  thread.Start([&server] { server.Serve(); });
  WaitForInputToClose();
  return 0;  // the thread is stopped and joined first
}

int ServeByReference(int argc, char** argv) {
  auto step = AtStep(argc, argv, 3);
  return ServeByReference(Utf8ToUtf16(argv[2]), step.get(), [](rpc_test::reference::Server&) {});
}

int ServeFillingByReference(int argc, char** argv) {
  if (argc < 4) return 2;
  const std::size_t bytes = std::strtoull(argv[3], nullptr, 10);
  return ServeByReference(Utf8ToUtf16(argv[2]), nullptr, [bytes](rpc_test::reference::Server& server) {
    server.set_reply_mapping_bytes(bytes);
    server.set_reply_writer([](void* view, std::size_t size, platform::WStringView text) {
      if (text == u"fill") return FillWithX(view, size, size / 2);
      return rpc_test::reference::CopyCharacters(view, size, text);
    });
  });
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
  auto logger = AtStep(argc, argv, 5);
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
  auto logger = AtStep(argc, argv, 5);
  SayOutcome(rpc_test::reference::Call(Utf8ToUtf16(argv[2]), Utf8ToUtf16(argv[3]), Utf8ToUtf16(argv[4]), logger.get()));
  return 0;
}

int CallFillingByReference(int argc, char** argv) {
  if (argc < 5) return 2;
  const std::size_t bytes = std::strtoull(argv[3], nullptr, 10);
  const std::size_t units = std::strtoull(argv[4], nullptr, 10);
  SayOutcome(rpc_test::reference::Call(
      Utf8ToUtf16(argv[2]), u"x", u"", nullptr, bytes,
      [units](void* view, std::size_t size, platform::WStringView) { return FillWithX(view, size, units); }));
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

int OpenMapping(const char* name) {
  auto mapping = platform::FileMapping::Open(Utf8ToUtf16(name));
  Say(mapping != nullptr ? "opened" : "absent");
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
  if (mode == "ref-server-filling") return ServeFillingByReference(argc, argv);
  if (mode == "ref-client-filling") return CallFillingByReference(argc, argv);
  if (mode == "open-mapping") return OpenMapping(argv[2]);
  if (mode == "hold-semaphore") return HoldSemaphore(argv[2]);
  if (mode == "hold-mutex") return HoldMutex(argv[2]);
  if (mode == "hold-filled" && argc >= 4) return HoldFilled(argv[2], argv[3]);
  return 2;
}
