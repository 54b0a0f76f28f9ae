// The renderer's browser: its identifier and its frames by identifier.
// Render thread only.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "cef_browser.h"
#include "renderer/frame_impl.h"

namespace cefshim {

class BrowserImpl : public CefBrowser {
 public:
  explicit BrowserImpl(int id) : id_(id) {}

  // The frame with that identifier; null when there is none.
  CefRefPtr<FrameImpl> FindFrame(std::int64_t id) const;
  CefRefPtr<FrameImpl> main_frame() const { return main_frame_; }
  // Every frame, in order of identifier.
  std::vector<CefRefPtr<FrameImpl>> Frames() const;
  // Adds a frame, replacing one of the same identifier; a main frame also
  // replaces the browser's main frame. Replaced frames are detached.
  void AddFrame(CefRefPtr<FrameImpl> frame);
  // Detaches and forgets the frame; nothing happens for an unknown one.
  void DetachFrame(std::int64_t id);
  // Detaches every frame; the browser becomes invalid.
  void Destroy();

  bool IsValid() override { return valid_; }
  int GetIdentifier() override { return id_; }
  bool IsSame(CefRefPtr<CefBrowser> that) override { return that.get() == this; }
  CefRefPtr<CefFrame> GetMainFrame() override { return main_frame_; }

 private:
  const int id_;
  // The frames hold their browser; Destroy() breaks that cycle.
  std::map<std::int64_t, CefRefPtr<FrameImpl>> frames_;
  CefRefPtr<FrameImpl> main_frame_;
  bool valid_ = true;

  IMPLEMENT_REFCOUNTING(BrowserImpl);
};

}  // namespace cefshim
