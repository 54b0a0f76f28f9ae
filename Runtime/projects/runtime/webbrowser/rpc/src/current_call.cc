#include "current_call.h"

#include "rpc/caller_presence.h"

namespace RPCServer {
namespace {

thread_local const std::function<bool()>* current_call = nullptr;

}  // namespace

CurrentCall::CurrentCall(const std::function<bool()>& present) : previous_(current_call) { current_call = &present; }

CurrentCall::~CurrentCall() { current_call = previous_; }

bool CallerIsPresent() { return current_call == nullptr || (*current_call)(); }

}  // namespace RPCServer
