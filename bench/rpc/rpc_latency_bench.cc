// Round-trip latency of one small RPC call between two processes, beside a
// pipe ping-pong between the same two processes, measured in the same run.
// Prints p50 and p99 of each and their ratio. Then the latency of an echo
// of 16,000,000 characters, and the peak memory of each process after it.
//
// The process forks before anything else: the child serves both the RPC
// channel (on its server thread) and the pipe (on its main thread) until
// the parent closes the pipe; asked over the pipe, it tells its peak memory.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include <benchmark/benchmark.h>

#include "bench/echo_function.h"
#include "bench/latency_samples.h"
#include "rpc/file_mapping_client.h"
#include "rpc/file_mapping_server.h"

namespace {

constexpr int kSamples = 20000;
constexpr int kLargeSamples = 10;
constexpr std::size_t kLargeUnits = 16000000;
// Asks the child for its peak memory instead of an echo.
constexpr char kPeakQuery = 'm';

int to_child = -1;
int from_child = -1;
platform::WString mapping_name;
bench::LatencySamples samples;
bench::LatencySamples large_samples;

// The peak resident memory of this process so far, in bytes.
std::int64_t PeakMemory() {
  struct rusage usage = {};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<std::int64_t>(usage.ru_maxrss) * 1024;
}

// The child: an RPC server and a pipe echo, until the pipe closes.
int ServeChild(int input, int output) {
  RPCServer::CRPCServer server(new RPCServer::CFileMappingServerImp());
  server.RegisterFunction(u"echo", new bench::EchoFunction());
  const char ready = server.Start(mapping_name.c_str(), 0) == 0 ? 'r' : 'f';
  if (::write(output, &ready, 1) != 1) return 1;
  char byte = 0;
  while (::read(input, &byte, 1) == 1) {
    if (byte == kPeakQuery) {
      const std::int64_t peak = PeakMemory();
      if (::write(output, &peak, sizeof peak) != sizeof peak) break;
    } else if (::write(output, &byte, 1) != 1) {
      break;
    }
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

void BM_LargeEcho(benchmark::State& state) {
  RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
  client.Connect(mapping_name.c_str(), 0);
  platform::WString text(kLargeUnits, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<platform::WChar>(u'!' + i % 4000);
  large_samples.Measure(state, "large echo", [&client, &text] {
    const platform::WChar* result = nullptr;
    // Compared in place: a copy here would count in the client's peak.
    return client.Call(u"echo", text.c_str(), &result, nullptr) == 0 && result != nullptr &&
           platform::WStringView(result) == text;
  });
}

BENCHMARK(BM_PipePingPong)->Iterations(kSamples)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RpcCall)->Iterations(kSamples)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LargeEcho)->Iterations(kLargeSamples)->UseManualTime()->Unit(benchmark::kMillisecond);

// The child's peak memory, or -1 when it does not answer.
std::int64_t ServerPeakMemory() {
  std::int64_t peak = -1;
  if (::write(to_child, &kPeakQuery, 1) != 1 || ::read(from_child, &peak, sizeof peak) != sizeof peak) return -1;
  return peak;
}

void Report() {
  samples.Report("round trip between two processes", "rpc call", "pipe ping-pong");
  std::printf("  (goal: p50 within 10x)\n");
  std::printf("\nlarge echo, %zu characters (%zu MB) each way, %d samples\n", kLargeUnits, kLargeUnits * 2 / 1000000,
              kLargeSamples);
  std::printf("  latency p50 %8.2f ms   p99 %8.2f ms\n", large_samples.Percentile("large echo", 0.50) / 1000,
              large_samples.Percentile("large echo", 0.99) / 1000);
  std::printf("  peak memory: client %.1f MB, server %.1f MB\n", static_cast<double>(PeakMemory()) / 1e6,
              static_cast<double>(ServerPeakMemory()) / 1e6);
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
