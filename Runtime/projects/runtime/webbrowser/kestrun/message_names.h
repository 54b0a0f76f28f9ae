// The process-message vocabulary shared with the browser control, and the
// two script function names, in their declared order. Names compare exactly
// (case-sensitive).
#pragma once

#include <cstddef>

namespace Kestrun {

inline constexpr char16_t kKillKestrunRequest[] = u"KillKestrunRequest";
inline constexpr char16_t kEvaluateJavascriptRequest[] = u"EvaluateJavascriptRequest";
inline constexpr char16_t kEvaluateJavascriptDoneResponse[] = u"EvaluateJavascriptDoneResponse";
inline constexpr char16_t kJavascriptCallbackRequest[] = u"JavascriptCallbackRequest";
inline constexpr char16_t kJavascriptCallbackDestroyRequest[] = u"JavascriptCallbackDestroyRequest";
inline constexpr char16_t kJavascriptCallbackDoneResponse[] = u"JavascriptCallbackDoneResponse";
inline constexpr char16_t kJavascriptRootObjectRequest[] = u"JavascriptRootObjectRequest";
inline constexpr char16_t kJavascriptRootObjectResponse[] = u"JavascriptRootObjectResponse";
inline constexpr char16_t kJavascriptAsyncMethodCallRequest[] = u"JavascriptAsyncMethodCallRequest";
inline constexpr char16_t kJavascriptAsyncMethodCallResponse[] = u"JavascriptAsyncMethodCallResponse";
inline constexpr char16_t kOnContextCreated[] = u"OnContextCreated";
inline constexpr char16_t kOnContextReleased[] = u"OnContextReleased";
inline constexpr char16_t kOnFocusedNodeChanged[] = u"OnFocusedNodeChanged";
inline constexpr char16_t kOnUncaughtException[] = u"OnUncaughtException";
inline constexpr char16_t kJavascriptObjectsBoundInJavascript[] = u"JavascriptObjectsBoundInJavascript";
inline constexpr char16_t kInvokeWebBrowser[] = u"InvokeWebBrowser";
inline constexpr char16_t kEvaluateJavascriptResponseAsync[] = u"EvaluateJavascriptResponseAsync";
inline constexpr char16_t kJavascriptFireEvent[] = u"JavascriptFireEvent";
inline constexpr char16_t kSaveWebBrowserObjectID[] = u"SaveWebBrowserObjectID";
inline constexpr char16_t kEvaluateJavascriptRequestAsync[] = u"EvaluateJavascriptRequestAsync";
inline constexpr char16_t kEvaluateJavascriptRequestSync[] = u"EvaluateJavascriptRequestSync";
inline constexpr char16_t kJavascriptRegisterEvent[] = u"JavascriptRegisterEvent";
inline constexpr char16_t kJavascriptUnregisterEvent[] = u"JavascriptUnregisterEvent";
inline constexpr char16_t kInvokeFunction[] = u"Invoke";
inline constexpr char16_t kInvokeFunctionLowerCase[] = u"invoke";

inline constexpr const char16_t* kMessageTable[] = {
    kKillKestrunRequest,
    kEvaluateJavascriptRequest,
    kEvaluateJavascriptDoneResponse,
    kJavascriptCallbackRequest,
    kJavascriptCallbackDestroyRequest,
    kJavascriptCallbackDoneResponse,
    kJavascriptRootObjectRequest,
    kJavascriptRootObjectResponse,
    kJavascriptAsyncMethodCallRequest,
    kJavascriptAsyncMethodCallResponse,
    kOnContextCreated,
    kOnContextReleased,
    kOnFocusedNodeChanged,
    kOnUncaughtException,
    kJavascriptObjectsBoundInJavascript,
    kInvokeWebBrowser,
    kEvaluateJavascriptResponseAsync,
    kJavascriptFireEvent,
    kSaveWebBrowserObjectID,
    kEvaluateJavascriptRequestAsync,
    kEvaluateJavascriptRequestSync,
    kJavascriptRegisterEvent,
    kJavascriptUnregisterEvent,
    kInvokeFunction,
    kInvokeFunctionLowerCase,
};
static_assert(sizeof kMessageTable / sizeof kMessageTable[0] == 25, "23 message names and 2 function names");

}  // namespace Kestrun
