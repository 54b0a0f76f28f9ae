#include "script_objects.h"

#include "message_names.h"
#include "web_browser_handler.h"

namespace Kestrun {
namespace {

CefRefPtr<CefV8Value> EnsureObject(CefRefPtr<CefV8Value> global, const char16_t* name) {
  CefRefPtr<CefV8Value> existing = global->GetValue(name);
  if (existing && existing->IsObject()) return existing;
  CefRefPtr<CefV8Value> made = CefV8Value::CreateObject(nullptr, nullptr);
  if (!made || !global->SetValue(name, made, V8_PROPERTY_ATTRIBUTE_READONLY)) return nullptr;
  return made;
}

void SetInvokeFunction(CefRefPtr<CefV8Value> object, const char16_t* name) {
  if (!object) return;
  CefRefPtr<CefV8Value> function = CefV8Value::CreateFunction(name, new CJSWebBrowserHandler());
  if (function) object->SetValue(name, function, V8_PROPERTY_ATTRIBUTE_NONE);
}

}  // namespace

ScriptObjects EnsureScriptObjects(CefRefPtr<CefV8Value> global) {
  if (!global) return {};
  ScriptObjects objects;
  objects.webBrowser = EnsureObject(global, kWebBrowserObject);
  objects.webBrowserLowerCase = EnsureObject(global, kWebBrowserObjectLowerCase);
  return objects;
}

void BindScriptObjects(CefRefPtr<CefV8Context> context) {
  const ScriptObjects objects = EnsureScriptObjects(context->GetGlobal());
  SetInvokeFunction(objects.webBrowser, kInvokeFunction);
  SetInvokeFunction(objects.webBrowserLowerCase, kInvokeFunctionLowerCase);
}

}  // namespace Kestrun
