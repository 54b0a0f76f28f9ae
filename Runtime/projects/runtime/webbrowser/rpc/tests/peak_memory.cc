#include "peak_memory.h"

#include <fstream>
#include <string>

namespace rpc_test {
namespace {

// The peak resident size (VmHWM) in bytes.
std::optional<std::size_t> PeakResident() {
  std::ifstream status("/proc/self/status");
  std::string field;
  std::size_t kilobytes = 0;
  while (status >> field) {
    if (field == "VmHWM:" && status >> kilobytes) return kilobytes * 1024;
  }
  return std::nullopt;
}

}  // namespace

PeakMemoryGrowth::PeakMemoryGrowth() {
  // "5" resets the peak to the resident size of the moment.
  std::ofstream reset("/proc/self/clear_refs");
  reset << "5" << std::flush;
  if (reset.good()) start_ = PeakResident();
}

std::optional<std::size_t> PeakMemoryGrowth::Bytes() const {
  const std::optional<std::size_t> now = PeakResident();
  if (!start_ || !now) return std::nullopt;
  return *now > *start_ ? *now - *start_ : 0;
}

}  // namespace rpc_test
