#include "reference_channel.h"

#include "platform/stoppable_thread.h"

namespace rpc_test::reference {
namespace {

constexpr std::uint32_t kRetryMs = 50;

platform::WString Stem(const platform::WString& mapping) {
  const std::size_t found = mapping.find(u'\\');
  const long p = found == platform::WString::npos ? -1 : static_cast<long>(found);
  const long count = static_cast<long>(mapping.size()) - p - 7;
  if (count <= 0) return platform::WString();
  return mapping.substr(static_cast<std::size_t>(p + 1), static_cast<std::size_t>(count));
}

template <typename Attempt>
std::unique_ptr<platform::NamedSemaphore> WithRetries(Attempt attempt, int further_tries) {
  for (int tries = 0;; ++tries) {
    auto semaphore = attempt();
    if (semaphore != nullptr || tries == further_tries) return semaphore;
    if (!platform::SleepUnlessStopped(kRetryMs)) return nullptr;
  }
}

}  // namespace

Names::Names(const platform::WString& mapping_name) : mapping(mapping_name) {
  const platform::WString stem = Stem(mapping_name);
  server1 = stem + u"ServerSemaphore1";
  server2 = stem + u"ServerSemaphore2";
  client1 = stem + u"ClientSemaphore1";
  client2 = stem + u"ClientSemaphore2";
}

std::unique_ptr<platform::NamedSemaphore> CreateSemaphore(const platform::WString& name, int further_tries) {
  return WithRetries([&] { return platform::NamedSemaphore::Create(name, 0, 1); }, further_tries);
}

std::unique_ptr<platform::NamedSemaphore> OpenSemaphore(const platform::WString& name, int further_tries) {
  return WithRetries([&] { return platform::NamedSemaphore::Open(name); }, further_tries);
}

bool WaitForever(platform::NamedSemaphore& semaphore) {
  return platform::WaitForObject(semaphore) == platform::WaitResult::kSignaled;
}

platform::WString TextInView(const void* view, std::size_t size) {
  const auto* units = static_cast<const platform::WChar*>(view);
  const std::size_t capacity = size / sizeof(platform::WChar);
  std::size_t length = 0;
  while (length < capacity && units[length] != 0) ++length;
  return platform::WString(units, length);
}

}  // namespace rpc_test::reference
