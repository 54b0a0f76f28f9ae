// The renderer's frame: its identifiers, its validity and the connection its
// messages leave by. Render thread only.
#pragma once

#include <memory>

#include "cef_frame.h"
#include "cef_v8_context.h"
#include "script/v8_context_impl.h"
#include "wire/frame_io.h"

namespace cefshim {

class BrowserImpl;

class FrameImpl : public CefFrame {
 public:
  FrameImpl(CefRefPtr<BrowserImpl> browser, std::int64_t id, bool is_main,
            std::shared_ptr<wire::FrameWriter> writer);

  // The frame is gone: it becomes invalid and sends nothing more.
  void Detach() { valid_ = false; }
  // The context of the page loaded in the frame (replacing none).
  void SetContext(CefRefPtr<script::V8ContextImpl> context) { context_ = std::move(context); }
  // Takes the frame's context away; null when it has none.
  CefRefPtr<script::V8ContextImpl> TakeContext() { return std::move(context_); }

  bool IsValid() override { return valid_; }
  bool IsMain() override { return is_main_; }
  std::int64_t GetIdentifier() override { return id_; }
  CefRefPtr<CefBrowser> GetBrowser() override;
  CefRefPtr<CefV8Context> GetV8Context() override { return context_; }
  void SendProcessMessage(CefProcessId target_process, CefRefPtr<CefProcessMessage> message) override;

 private:
  const CefRefPtr<BrowserImpl> browser_;
  const std::int64_t id_;
  const bool is_main_;
  const std::shared_ptr<wire::FrameWriter> writer_;
  bool valid_ = true;
  CefRefPtr<script::V8ContextImpl> context_;

  IMPLEMENT_REFCOUNTING(FrameImpl);
};

}  // namespace cefshim
