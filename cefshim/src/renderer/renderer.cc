#include "renderer/renderer.h"

#include <exception>
#include <string>
#include <utility>

namespace cefshim {

Renderer::Renderer(CefRefPtr<CefRenderProcessHandler> handler, std::shared_ptr<wire::FrameWriter> writer,
                   Trace trace, script::ScriptInterrupt& interrupt)
    : handler_(std::move(handler)), writer_(std::move(writer)), trace_(trace) {
  std::string error;
  engine_ = script::ScriptEngine::Create(&error, &interrupt);
  if (!engine_) Trace::Error("no script engine: " + error);
}

Renderer::~Renderer() {
  engine_.reset();  // detaches every context and value first
  for (auto& entry : browsers_) {
    // A frame and its context hold each other: part them so both go.
    for (const CefRefPtr<FrameImpl>& frame : entry.second->Frames()) frame->TakeContext();
    entry.second->Destroy();
  }
}

void Renderer::Start() {
  if (!handler_) return;
  try {
    handler_->OnWebKitInitialized();
  } catch (const std::exception& e) {
    Trace::Error(std::string("a handler threw: ") + e.what());
  }
}

void Renderer::Handle(wire::Frame& frame) {
  try {
    std::visit([this](auto& body) { Apply(body); }, frame);
  } catch (const std::exception& e) {
    Trace::Error(std::string("a handler threw: ") + e.what());
  }
  if (engine_) {
    engine_->LeaveEnteredAbove(0);
    engine_->RunPendingJobs();
    engine_->CollectIfDue();
  }
}

CefRefPtr<BrowserImpl> Renderer::FindBrowser(std::int32_t id) const {
  const auto found = browsers_.find(id);
  return found != browsers_.end() ? found->second : nullptr;
}

void Renderer::Apply(wire::ProcessMessage& frame) {
  const std::string name = Trace::Quote(frame.message->GetName());
  if (!handler_) {
    trace_.Line("process message " + name + " dropped: no render process handler");
    return;
  }
  CefRefPtr<BrowserImpl> browser = FindBrowser(frame.browser_id);
  CefRefPtr<FrameImpl> target = browser ? browser->FindFrame(frame.frame_id) : nullptr;
  const bool handled = handler_->OnProcessMessageReceived(browser, target, PID_BROWSER, frame.message);
  trace_.Line("OnProcessMessageReceived(" + name + ") returned " + (handled ? "true" : "false"));
}

void Renderer::Apply(wire::CreateBrowser& frame) {
  if (FindBrowser(frame.browser_id)) {
    Trace::Error("create browser " + std::to_string(frame.browser_id) + " ignored: it exists");
    return;
  }
  CefRefPtr<BrowserImpl> browser = new BrowserImpl(frame.browser_id);
  browser->AddFrame(new FrameImpl(browser, frame.main_frame_id, true, writer_));
  browsers_.emplace(frame.browser_id, browser);
  if (handler_) handler_->OnBrowserCreated(browser, nullptr);
}

void Renderer::Apply(wire::LoadPage& page) {
  CefRefPtr<BrowserImpl> browser = FindBrowser(page.browser_id);
  if (!browser) {
    Trace::Error("load page ignored: no browser " + std::to_string(page.browser_id));
    return;
  }
  CefRefPtr<FrameImpl> frame = PageFrame(browser, page);
  ReleaseContext(browser, frame);
  CefRefPtr<script::V8ContextImpl> context = engine_ ? engine_->NewContext(browser, frame) : nullptr;
  if (!context) {
    Trace::Error("page " + Trace::Quote(page.url) + " has no script context");
    return;
  }
  frame->SetContext(context);
  context->Enter();
  if (handler_) handler_->OnContextCreated(browser, frame, context);
  CefRefPtr<CefV8Exception> exception;
  CefRefPtr<CefV8StackTrace> stack_trace;
  context->RunPageScript(page.script, page.url, exception, stack_trace);
  if (exception && handler_) handler_->OnUncaughtException(browser, frame, context, exception, stack_trace);
  context->Exit();
}

CefRefPtr<FrameImpl> Renderer::PageFrame(CefRefPtr<BrowserImpl> browser, const wire::LoadPage& page) {
  if (CefRefPtr<FrameImpl> frame = browser->FindFrame(page.frame_id)) return frame;
  CefRefPtr<FrameImpl> frame = new FrameImpl(browser, page.frame_id, page.is_main, writer_);
  if (page.is_main && browser->main_frame()) ReleaseContext(browser, browser->main_frame());
  browser->AddFrame(frame);
  return frame;
}

void Renderer::ReleaseContext(CefRefPtr<BrowserImpl> browser, CefRefPtr<FrameImpl> frame) {
  CefRefPtr<script::V8ContextImpl> context = frame->TakeContext();
  if (!context) return;
  if (handler_ && context->Enter()) {
    handler_->OnContextReleased(browser, frame, context);
    context->Exit();
  }
  context->Invalidate();
}

void Renderer::Apply(wire::DetachFrame& frame) {
  CefRefPtr<BrowserImpl> browser = FindBrowser(frame.browser_id);
  CefRefPtr<FrameImpl> target = browser ? browser->FindFrame(frame.frame_id) : nullptr;
  if (!target) return;
  ReleaseContext(browser, target);
  browser->DetachFrame(frame.frame_id);
}

void Renderer::Apply(wire::DestroyBrowser& frame) {
  const auto found = browsers_.find(frame.browser_id);
  if (found == browsers_.end()) return;
  CefRefPtr<BrowserImpl> browser = found->second;
  browsers_.erase(found);
  for (const CefRefPtr<FrameImpl>& each : browser->Frames()) ReleaseContext(browser, each);
  if (handler_) handler_->OnBrowserDestroyed(browser);
  browser->Destroy();
}

}  // namespace cefshim
