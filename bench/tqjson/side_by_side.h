// Figures of the library measured beside raw RapidJSON doing the same work
// on the nativejson benchmark files, in the same run. Both run in turn in
// every iteration, so that both see the same machine load, and the best
// time of each is kept; the ratios are printed at the end. One thread.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>

#include "testing/test_data.h"

namespace tqjson_bench {

const char* const kFiles[] = {"canada.json", "citm_catalog.json", "twitter.json"};

struct Best {
  double library = 1e9;
  double raw = 1e9;
};

// By "<operation> <file>".
inline std::map<std::string, Best> best;
// The bytes of each file read by ReadFile.
inline std::map<std::string, std::string> contents;

inline double SecondsOf(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Times `raw` and `library` in turn; the benchmark's own figure is the
// library's time.
inline void Compare(benchmark::State& state, const std::string& name, const std::function<void()>& raw,
                    const std::function<void()>& library) {
  Best& kept = best[name];
  for (auto _ : state) {
    kept.raw = std::min(kept.raw, SecondsOf(raw));
    const double seconds = SecondsOf(library);
    kept.library = std::min(kept.library, seconds);
    state.SetIterationTime(seconds);
  }
}

// Reads a nativejson file of the test-data folder into `contents`; false
// (after saying so) when it cannot be read.
inline bool ReadFile(const std::string& file) {
  const std::string path = lumarine_testing::TestDataPath("nativejson/" + file);
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::printf("cannot read %s; skipped\n", path.c_str());
    return false;
  }
  contents[file].assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

// Prints one figure in MB of the file per second, with its ratio.
inline void PrintRatio(const std::string& operation, const std::string& file) {
  const auto found = best.find(operation + " " + file);
  if (found == best.end()) return;
  const double megabytes = static_cast<double>(contents[file].size()) / 1e6;
  std::printf("%-9s %-17s library %7.1f MB/s, raw RapidJSON %7.1f MB/s, ratio %.2f\n", operation.c_str(),
              file.c_str(), megabytes / found->second.library, megabytes / found->second.raw,
              found->second.library / found->second.raw);
}

}  // namespace tqjson_bench
