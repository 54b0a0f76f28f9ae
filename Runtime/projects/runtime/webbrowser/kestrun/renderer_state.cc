#include "renderer_state.h"

namespace Kestrun {

std::unique_ptr<RendererState> RendererState::Create() {
  std::unique_ptr<platform::Semaphore> semaphore = platform::Semaphore::Create(0, 1);
  if (!semaphore) return nullptr;
  auto state = std::make_unique<RendererState>();
  state->slot.semaphore = std::move(semaphore);
  return state;
}

}  // namespace Kestrun
