#include "renderer/renderer.h"

#include <string>
#include <utility>

namespace cefshim {

Renderer::Renderer(CefRefPtr<CefRenderProcessHandler> handler, std::shared_ptr<wire::FrameWriter> writer,
                   Trace trace)
    : handler_(std::move(handler)), writer_(std::move(writer)), trace_(trace) {}

Renderer::~Renderer() {
  for (auto& entry : browsers_) entry.second->Destroy();
}

void Renderer::Start() {
  if (handler_) handler_->OnWebKitInitialized();
}

void Renderer::Handle(wire::Frame& frame) {
  std::visit([this](auto& body) { Apply(body); }, frame);
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

void Renderer::Apply(wire::DetachFrame& frame) {
  if (CefRefPtr<BrowserImpl> browser = FindBrowser(frame.browser_id)) browser->DetachFrame(frame.frame_id);
}

void Renderer::Apply(wire::DestroyBrowser& frame) {
  const auto found = browsers_.find(frame.browser_id);
  if (found == browsers_.end()) return;
  CefRefPtr<BrowserImpl> browser = found->second;
  browsers_.erase(found);
  if (handler_) handler_->OnBrowserDestroyed(browser);
  browser->Destroy();
}

}  // namespace cefshim
