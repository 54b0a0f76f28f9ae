// Renderer: the render thread's state — the browsers and frames the host has
// created, the script engine and the page contexts — and the application's
// handler, to which it hands each frame from the host. Lives on the render
// thread and is used only there.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "cef_render_process_handler.h"
#include "renderer/browser_impl.h"
#include "renderer/trace.h"
#include "script/script_engine.h"
#include "wire/frame.h"
#include "wire/frame_io.h"

namespace cefshim {

class Renderer {
 public:
  // `handler` may be null: frames then only keep the browsers and pages up
  // to date. Without a script engine (reported) pages load no script. The
  // engine's scripts end once `interrupt` (not owned; it outlives the
  // renderer) is stopped.
  Renderer(CefRefPtr<CefRenderProcessHandler> handler, std::shared_ptr<wire::FrameWriter> writer, Trace trace,
           script::ScriptInterrupt& interrupt);
  // Invalidates every browser, frame, context and value, without callbacks.
  ~Renderer();
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  // Tells the handler that the render thread has started.
  void Start();
  // Applies one frame from the host, then leaves any context a handler left
  // entered, runs the promise jobs the scripts queued and collects the
  // scripts' garbage when enough has piled up. A handler's C++ exception is
  // reported and ends only that frame's work.
  void Handle(wire::Frame& frame);

 private:
  void Apply(wire::ProcessMessage& frame);
  void Apply(wire::CreateBrowser& frame);
  void Apply(wire::LoadPage& frame);
  void Apply(wire::DetachFrame& frame);
  void Apply(wire::DestroyBrowser& frame);

  CefRefPtr<BrowserImpl> FindBrowser(std::int32_t id) const;
  // The frame a page is loaded into, made when new.
  CefRefPtr<FrameImpl> PageFrame(CefRefPtr<BrowserImpl> browser, const wire::LoadPage& page);
  // Releases the frame's context, if any, after OnContextReleased.
  void ReleaseContext(CefRefPtr<BrowserImpl> browser, CefRefPtr<FrameImpl> frame);

  const CefRefPtr<CefRenderProcessHandler> handler_;
  const std::shared_ptr<wire::FrameWriter> writer_;
  const Trace trace_;
  std::map<std::int32_t, CefRefPtr<BrowserImpl>> browsers_;
  // Null when the engine could not start.
  std::unique_ptr<script::ScriptEngine> engine_;
};

}  // namespace cefshim
