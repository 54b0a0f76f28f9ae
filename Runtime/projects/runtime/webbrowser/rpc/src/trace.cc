#include "trace.h"

namespace RPCChannel {

void Trace::operator()(const platform::WChar* text) const {
  IRPCLogger* logger = logger_.load(std::memory_order_acquire);
  if (logger != nullptr) logger->Log(text);
}

}  // namespace RPCChannel
