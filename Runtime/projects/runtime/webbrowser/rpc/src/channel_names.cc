#include "channel_names.h"

namespace RPCChannel {

platform::WString SemaphoreStem(platform::WStringView mapping_name) {
  constexpr std::ptrdiff_t kDroppedTail = 6;
  const std::size_t backslash = mapping_name.find(u'\\');
  const std::size_t start = backslash == platform::WStringView::npos ? 0 : backslash + 1;
  const std::ptrdiff_t length = static_cast<std::ptrdiff_t>(mapping_name.size() - start) - kDroppedTail;
  if (length <= 0) return platform::WString();
  return platform::WString(mapping_name.substr(start, static_cast<std::size_t>(length)));
}

ChannelNames::ChannelNames(platform::WStringView mapping_name) : mapping(mapping_name) {
  const platform::WString stem = SemaphoreStem(mapping_name);
  server1 = stem + u"ServerSemaphore1";
  server2 = stem + u"ServerSemaphore2";
  client1 = stem + u"ClientSemaphore1";
  client2 = stem + u"ClientSemaphore2";
}

}  // namespace RPCChannel
