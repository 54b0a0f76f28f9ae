#include "renderer/frame_impl.h"

#include <string>
#include <utility>

#include "renderer/browser_impl.h"
#include "renderer/trace.h"
#include "wire/frame.h"

namespace cefshim {

FrameImpl::FrameImpl(CefRefPtr<BrowserImpl> browser, std::int64_t id, bool is_main,
                     std::shared_ptr<wire::FrameWriter> writer)
    : browser_(std::move(browser)), id_(id), is_main_(is_main), writer_(std::move(writer)) {}

CefRefPtr<CefBrowser> FrameImpl::GetBrowser() {
  return browser_;
}

void FrameImpl::SendProcessMessage(CefProcessId target_process, CefRefPtr<CefProcessMessage> message) {
  if (target_process != PID_BROWSER || !message || !valid_) return;
  std::string error;
  const auto bytes = wire::EncodeFrame(wire::ProcessMessage{browser_->GetIdentifier(), id_, message}, &error);
  if (!bytes) {
    Trace::Error("process message " + Trace::Quote(message->GetName()) + " not sent: " + error);
    return;
  }
  writer_->Write(*bytes);
}

}  // namespace cefshim
