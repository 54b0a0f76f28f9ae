// Latency samples of round trips, for benchmarks that compare a figure with
// a baseline measured in the same run: each benchmark times its own round
// trips (manual time) and keeps every sample under a name, and the report
// prints percentiles and their ratio. One benchmark thread at a time.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace bench {

class LatencySamples {
 public:
  // Runs `round_trip` (returning false on failure) once per iteration,
  // timing each call and keeping it, in microseconds, under `name`.
  template <typename RoundTrip>
  void Measure(benchmark::State& state, const std::string& name, RoundTrip round_trip) {
    Clear(name);
    for (auto _ : state) {
      double seconds = 0;
      if (!Time(name, round_trip, &seconds)) {
        state.SkipWithError("round trip failed");
        break;
      }
      state.SetIterationTime(seconds);
    }
  }

  // Times one call of `round_trip` and keeps it under `name`, also in
  // `seconds` when given; false, keeping nothing, when the call failed.
  template <typename RoundTrip>
  bool Time(const std::string& name, RoundTrip round_trip, double* seconds = nullptr) {
    const auto start = std::chrono::steady_clock::now();
    if (!round_trip()) return false;
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    Add(name, took.count() * 1e6);
    if (seconds) *seconds = took.count();
    return true;
  }

  // Keeps a sample measured otherwise, in microseconds, under `name`.
  void Add(const std::string& name, double microseconds) { samples_us_[name].push_back(microseconds); }

  // Drops the samples kept under `name`.
  void Clear(const std::string& name) { samples_us_[name].clear(); }

  // The `fraction` percentile of the samples of `name`; 0 without samples.
  double Percentile(const std::string& name, double fraction) const {
    const auto found = samples_us_.find(name);
    if (found == samples_us_.end() || found->second.empty()) return 0;
    std::vector<double> values = found->second;
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
  }

  // Prints p50 and p99 of every name, then `figure` against `baseline`.
  void Report(const std::string& title, const std::string& figure, const std::string& baseline) const {
    const auto found = samples_us_.find(figure);
    std::printf("\n%s, %zu samples each\n", title.c_str(), found != samples_us_.end() ? found->second.size() : 0);
    for (const auto& entry : samples_us_) {
      std::printf("  %-16s p50 %8.2f us   p99 %8.2f us\n", entry.first.c_str(), Percentile(entry.first, 0.50),
                  Percentile(entry.first, 0.99));
    }
    PrintRatio(figure, baseline);
  }

  // Prints p50 and p99 of `figure` against those of `baseline`, when both
  // have samples.
  void PrintRatio(const std::string& figure, const std::string& baseline) const {
    const double base50 = Percentile(baseline, 0.50);
    const double base99 = Percentile(baseline, 0.99);
    if (base50 > 0 && base99 > 0) {
      std::printf("  %s / %s: p50 %.2fx, p99 %.2fx\n", figure.c_str(), baseline.c_str(),
                  Percentile(figure, 0.50) / base50, Percentile(figure, 0.99) / base99);
    }
  }

 private:
  std::map<std::string, std::vector<double>> samples_us_;
};

}  // namespace bench
