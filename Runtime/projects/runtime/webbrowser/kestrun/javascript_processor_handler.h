// CJavaScriptProcessorHandler: the function "ExecJS" of the renderer's RPC
// server, through which the browser control collects the outcome of a
// synchronous evaluation. Runs on the RPC server thread.
#pragma once

#include "event_call_watch.h"
#include "platform/text_types.h"
#include "rpc/rpc_fun_delegate.h"
#include "script_result_slot.h"

namespace Kestrun {

inline constexpr char16_t kExecJsFunction[] = u"ExecJS";

class CJavaScriptProcessorHandler final : public IRPCFunDelegate {
 public:
  // `slot` and `watch` are not owned and must outlive the handler.
  CJavaScriptProcessorHandler(ScriptResultSlot* slot, EventCallWatch* watch) : slot_(slot), watch_(watch) {}

  // "ExecJS" (exact name): waits until the slot is signalled, then returns
  // the slot's code and hands out copies of its result and error texts
  // (null when absent), valid until AfterCall. While it waits it ends an
  // event call that holds the evaluation up (event_call_watch.h). When the
  // caller goes before an evaluation answers it (dies, gives up; see
  // rpc/caller_presence.h), or the server stops, the wait ends without
  // taking the signal, which stays for the next caller, and the outputs are
  // null (code 4). Any other name returns 0 at once and leaves the outputs
  // as they are; the parameters are not read.
  int Invoke(const platform::WChar* function, const platform::WChar* parameters, const platform::WChar** result,
             const platform::WChar** error) override;

  void AfterCall() override {}

 private:
  // True once an evaluation has signalled the slot for this caller.
  bool WaitForEvaluation();

  ScriptResultSlot* const slot_;
  EventCallWatch* const watch_;
  platform::WString result_;
  platform::WString error_;
};

}  // namespace Kestrun
