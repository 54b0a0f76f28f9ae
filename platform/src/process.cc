#include "platform/process.h"

#include <sched.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/unicode.h"

namespace platform {
namespace {

// Environment names and values are UTF-8 on Linux; a name that is empty or
// holds "=" or NUL can be neither read nor set.
std::optional<std::string> NativeName(WStringView name) {
  if (name.empty() || name.find_first_of(u"=\0", 0, 2) != WStringView::npos) return std::nullopt;
  return Utf16ToUtf8(name);
}

}  // namespace

WString ExecutablePath() {
  std::string buffer(256, '\0');
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return WString();
    if (static_cast<std::size_t>(n) < buffer.size()) {
      buffer.resize(static_cast<std::size_t>(n));
      return Utf8ToUtf16(buffer);
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::optional<WString> GetEnvironmentVariable(WStringView name) {
  const auto native = NativeName(name);
  if (!native) return std::nullopt;
  const char* value = std::getenv(native->c_str());
  if (value == nullptr) return std::nullopt;
  return Utf8ToUtf16(value);
}

bool SetEnvironmentVariable(WStringView name, const std::optional<WString>& value) {
  const auto native = NativeName(name);
  if (!native) {
    errno = EINVAL;
    return false;
  }
  if (!value) return ::unsetenv(native->c_str()) == 0;
  if (value->find(u'\0') != WString::npos) {
    errno = EINVAL;
    return false;
  }
  return ::setenv(native->c_str(), Utf16ToUtf8(*value).c_str(), 1) == 0;
}

unsigned ProcessorCount() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0) {
    return static_cast<unsigned>(CPU_COUNT(&set));
  }
  // More processors than a cpu_set_t holds, or no answer: count the online ones.
  const long online = ::sysconf(_SC_NPROCESSORS_ONLN);
  return online > 0 ? static_cast<unsigned>(online) : 1;
}

std::uint64_t TickCount64() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000 + static_cast<std::uint64_t>(now.tv_nsec) / 1000000;
}

std::uint32_t TickCount() { return static_cast<std::uint32_t>(TickCount64()); }

}  // namespace platform
