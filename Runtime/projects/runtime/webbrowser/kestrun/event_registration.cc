#include "event_registration.h"

#include <optional>
#include <string_view>

#include "entered_context.h"
#include "events_handler.h"
#include "message_names.h"
#include "script_objects.h"
#include "web_browser_object_id.h"

namespace Kestrun {
namespace {

// The event name of a request, when it is acceptable.
std::optional<CefString> EventName(CefRefPtr<CefProcessMessage> message) {
  const CefString name = message->GetArgumentList()->GetString(1);
  if (!IsAcceptableEventName(name)) return std::nullopt;
  return name;
}

CefRefPtr<CefV8Context> FrameContext(CefRefPtr<CefFrame> frame) { return frame ? frame->GetV8Context() : nullptr; }

void RemoveMember(CefRefPtr<CefV8Value> global, const char16_t* object_name, const CefString& name) {
  if (!global->HasValue(object_name)) return;
  CefRefPtr<CefV8Value> object = global->GetValue(object_name);
  if (object && object->HasValue(name)) object->DeleteValue(name);
}

}  // namespace

bool IsAcceptableEventName(const CefString& name) {
  const std::u16string_view text = name.view();
  return !text.empty() && text.find_first_of(std::u16string_view(u":\0", 2)) == std::u16string_view::npos &&
         text != kInvokeFunction && text != kInvokeFunctionLowerCase && text != u"__proto__";
}

bool RegisterEvent(EventCallWatch& watch, CefRefPtr<CefFrame> frame, CefRefPtr<CefProcessMessage> message) {
  const std::optional<CefString> name = EventName(message);
  if (!name) return false;
  const EnteredContext context(FrameContext(frame));
  if (!context.entered()) return false;
  const ScriptObjects objects = EnsureScriptObjects(context.get()->GetGlobal());
  CefRefPtr<CefV8Value> function =
      CefV8Value::CreateFunction(*name, new CJSEventsHandler(ProcessWebBrowserObjectId(), &watch));
  if (!function) return false;
  for (const CefRefPtr<CefV8Value>& object : {objects.webBrowser, objects.webBrowserLowerCase}) {
    if (object) object->SetValue(*name, function, V8_PROPERTY_ATTRIBUTE_NONE);
  }
  return true;
}

bool UnregisterEvent(CefRefPtr<CefFrame> frame, CefRefPtr<CefProcessMessage> message) {
  const std::optional<CefString> name = EventName(message);
  if (!name) return false;
  const EnteredContext context(FrameContext(frame));
  if (!context.entered()) return false;
  CefRefPtr<CefV8Value> global = context.get()->GetGlobal();
  if (!global) return false;
  RemoveMember(global, kWebBrowserObject, *name);
  RemoveMember(global, kWebBrowserObjectLowerCase, *name);
  return true;
}

}  // namespace Kestrun
