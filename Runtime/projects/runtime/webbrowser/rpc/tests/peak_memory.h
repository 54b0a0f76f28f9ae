// How much the peak resident memory of this process grows over a stretch
// of a test: what a step really costs in memory, whatever the process held
// before. Linux only (/proc/self).
#pragma once

#include <cstddef>
#include <optional>

namespace rpc_test {

class PeakMemoryGrowth {
 public:
  // Starts the stretch: the process's peak is reset to what it holds now.
  PeakMemoryGrowth();

  // How many bytes the peak has grown since; nullopt when /proc cannot tell.
  std::optional<std::size_t> Bytes() const;

 private:
  std::optional<std::size_t> start_;
};

}  // namespace rpc_test
