#include "renderer/browser_impl.h"

#include <utility>

namespace cefshim {

CefRefPtr<FrameImpl> BrowserImpl::FindFrame(std::int64_t id) const {
  const auto found = frames_.find(id);
  return found != frames_.end() ? found->second : nullptr;
}

std::vector<CefRefPtr<FrameImpl>> BrowserImpl::Frames() const {
  std::vector<CefRefPtr<FrameImpl>> frames;
  for (const auto& entry : frames_) frames.push_back(entry.second);
  return frames;
}

void BrowserImpl::AddFrame(CefRefPtr<FrameImpl> frame) {
  DetachFrame(frame->GetIdentifier());
  if (frame->IsMain()) {
    if (main_frame_) DetachFrame(main_frame_->GetIdentifier());
    main_frame_ = frame;
  }
  frames_.emplace(frame->GetIdentifier(), std::move(frame));
}

void BrowserImpl::DetachFrame(std::int64_t id) {
  const auto found = frames_.find(id);
  if (found == frames_.end()) return;
  found->second->Detach();
  if (main_frame_ == found->second) main_frame_ = nullptr;
  frames_.erase(found);
}

void BrowserImpl::Destroy() {
  for (auto& entry : frames_) entry.second->Detach();
  frames_.clear();
  main_frame_ = nullptr;
  valid_ = false;
}

}  // namespace cefshim
