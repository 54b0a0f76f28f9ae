#include "context_notifications.h"

#include "message_names.h"
#include "packed_id.h"
#include "script_objects.h"

namespace Kestrun {
namespace {

CefRefPtr<CefListValue> StackFrame(CefRefPtr<CefV8StackFrame> frame) {
  CefRefPtr<CefListValue> entry = CefListValue::Create();
  entry->SetString(0, frame->GetFunctionName());
  entry->SetInt(1, frame->GetLineNumber());
  entry->SetInt(2, frame->GetColumn());
  entry->SetString(3, frame->GetScriptNameOrSourceURL());
  return entry;
}

CefRefPtr<CefListValue> StackFrames(CefRefPtr<CefV8StackTrace> stack_trace) {
  CefRefPtr<CefListValue> frames = CefListValue::Create();
  const int count = stack_trace ? stack_trace->GetFrameCount() : 0;
  for (int index = 0; index < count; ++index) {
    if (CefRefPtr<CefV8StackFrame> frame = stack_trace->GetFrame(index)) {
      frames->SetList(frames->GetSize(), StackFrame(frame));
    }
  }
  return frames;
}

}  // namespace

void NotifyContextCreated(CefRefPtr<CefFrame> frame, CefRefPtr<CefV8Context> context) {
  if (context) BindScriptObjects(context);
  if (!frame) return;
  CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create(kOnContextCreated);
  PackId(message->GetArgumentList(), frame->GetIdentifier());
  frame->SendProcessMessage(PID_BROWSER, message);
}

void NotifyUncaughtException(CefRefPtr<CefFrame> frame, CefRefPtr<CefV8Exception> exception,
                             CefRefPtr<CefV8StackTrace> stack_trace) {
  if (!frame) return;
  CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create(kOnUncaughtException);
  CefRefPtr<CefListValue> arguments = message->GetArgumentList();
  PackId(arguments, frame->GetIdentifier());
  arguments->SetString(1, exception ? exception->GetMessage() : CefString());
  arguments->SetList(2, StackFrames(stack_trace));
  frame->SendProcessMessage(PID_BROWSER, message);
}

}  // namespace Kestrun
