// The names of one channel's kernel objects, all derived from the mapping
// name that the server and the client are given.
#pragma once

#include "platform/text_types.h"

namespace RPCChannel {

struct ChannelNames {
  explicit ChannelNames(platform::WStringView mapping_name);

  platform::WString mapping;  // request and reply mappings, and the client lock
  platform::WString server1;  // a request is in the request mapping
  platform::WString server2;  // the client has taken the reply
  platform::WString client1;  // the server has read the request
  platform::WString client2;  // the reply is in the reply mapping
};

// The semaphore stem: the text after the first "\" less its last 6
// characters ("Local\id_SECJS_Server" gives "id_SECJS_"); empty when the
// name is too short to have one.
platform::WString SemaphoreStem(platform::WStringView mapping_name);

}  // namespace RPCChannel
