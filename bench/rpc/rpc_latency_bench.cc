// Round-trip latency of one small RPC call between two processes, beside a
// pipe ping-pong between the same two processes, measured in the same run.
// Prints p50 and p99 of each and their ratio.
//
// The process forks before anything else: the child serves both the RPC
// channel (on its server thread) and the pipe (on its main thread) until
// the parent closes the pipe.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include <benchmark/benchmark.h>

#include "bench/latency_samples.h"
#include "rpc/file_mapping_client.h"
#include "rpc/file_mapping_server.h"

namespace {

constexpr int kSamples = 20000;

int to_child = -1;
int from_child = -1;
platform::WString mapping_name;
bench::LatencySamples samples;

class Echo : public IRPCFunDelegate {
 public:
  int Invoke(const platform::WChar*, const platform::WChar* parameters, const platform::WChar** result,
             const platform::WChar** error) override {
    *result = parameters;
    *error = nullptr;
    return 0;
  }
  void AfterCall() override {}
};

// The child: an RPC server and a pipe echo, until the pipe closes.
int ServeChild(int input, int output) {
  RPCServer::CRPCServer server(new RPCServer::CFileMappingServerImp());
  server.RegisterFunction(u"echo", new Echo());
  const char ready = server.Start(mapping_name.c_str(), 0) == 0 ? 'r' : 'f';
  if (::write(output, &ready, 1) != 1) return 1;
  char byte = 0;
  while (::read(input, &byte, 1) == 1) {
    if (::write(output, &byte, 1) != 1) break;
  }
  server.Stop();
  return 0;
}

void BM_PipePingPong(benchmark::State& state) {
  samples.Measure(state, "pipe ping-pong", [] {
    char byte = 'p';
    return ::write(to_child, &byte, 1) == 1 && ::read(from_child, &byte, 1) == 1;
  });
}

void BM_RpcCall(benchmark::State& state) {
  RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
  client.Connect(mapping_name.c_str(), 0);
  samples.Measure(state, "rpc call", [&client] {
    const platform::WChar* result = nullptr;
    return client.Call(u"echo", u"ping", &result, nullptr) == 0 && result != nullptr;
  });
}

BENCHMARK(BM_PipePingPong)->Iterations(kSamples)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RpcCall)->Iterations(kSamples)->UseManualTime()->Unit(benchmark::kMicrosecond);

void Report() {
  samples.Report("round trip between two processes", "rpc call", "pipe ping-pong");
  std::printf("  (goal: p50 within 10x)\n");
}

}  // namespace

int main(int argc, char** argv) {
  mapping_name = u"Local\\bench" + platform::WString(u"_") +
                 platform::WString(std::to_string(::getpid()).begin(), std::to_string(::getpid()).end()) +
                 u"_SECJS_Server";
  int down[2];
  int up[2];
  if (::pipe(down) != 0 || ::pipe(up) != 0) return 1;
  const pid_t child = ::fork();
  if (child < 0) return 1;
  if (child == 0) {
    ::close(down[1]);
    ::close(up[0]);
    ::_exit(ServeChild(down[0], up[1]));
  }
  ::close(down[0]);
  ::close(up[1]);
  to_child = down[1];
  from_child = up[0];
  char ready = 0;
  if (::read(from_child, &ready, 1) != 1 || ready != 'r') {
    std::fprintf(stderr, "the serving process did not start\n");
    return 1;
  }

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Report();

  ::close(to_child);
  ::waitpid(child, nullptr, 0);
  return 0;
}
