// Renderer: the render thread's state — the browsers and frames the host has
// created — and the application's handler, to which it hands each frame
// from the host. Lives on the render thread and is used only there.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "cef_render_process_handler.h"
#include "renderer/browser_impl.h"
#include "renderer/trace.h"
#include "wire/frame.h"
#include "wire/frame_io.h"

namespace cefshim {

class Renderer {
 public:
  // `handler` may be null: frames then only keep the browsers up to date.
  Renderer(CefRefPtr<CefRenderProcessHandler> handler, std::shared_ptr<wire::FrameWriter> writer, Trace trace);
  // Invalidates every browser and frame, without callbacks.
  ~Renderer();
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  // Tells the handler that the render thread has started.
  void Start();
  // Applies one frame from the host.
  void Handle(wire::Frame& frame);

 private:
  void Apply(wire::ProcessMessage& frame);
  void Apply(wire::CreateBrowser& frame);
  void Apply(wire::DetachFrame& frame);
  void Apply(wire::DestroyBrowser& frame);

  CefRefPtr<BrowserImpl> FindBrowser(std::int32_t id) const;

  const CefRefPtr<CefRenderProcessHandler> handler_;
  const std::shared_ptr<wire::FrameWriter> writer_;
  const Trace trace_;
  std::map<std::int32_t, CefRefPtr<BrowserImpl>> browsers_;
};

}  // namespace cefshim
