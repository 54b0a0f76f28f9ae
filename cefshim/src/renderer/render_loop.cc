#include "renderer/render_loop.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "renderer/frame_queue.h"
#include "renderer/renderer.h"
#include "script/script_interrupt.h"
#include "wire/frame_io.h"
#include "wire/unique_fd.h"

namespace cefshim {
namespace {

// Raised once, when the render thread has finished; its descriptor is
// readable from then on. Invalid when no descriptor could be made.
class FinishedSignal {
 public:
  FinishedSignal() : fd_(::eventfd(0, EFD_CLOEXEC)) {}

  bool valid() const { return static_cast<bool>(fd_); }
  int fd() const { return fd_.get(); }
  void Raise() {
    const std::uint64_t one = 1;
    (void)!::write(fd_.get(), &one, sizeof one);
  }

 private:
  wire::UniqueFd fd_;
};

// The render thread: applies queued frames until the queue is closed and
// drained, then raises `finished`.
void RenderThreadMain(FrameQueue& queue, CefRefPtr<CefRenderProcessHandler> handler,
                      std::shared_ptr<wire::FrameWriter> writer, const Trace& trace,
                      script::ScriptInterrupt& interrupt, FinishedSignal& finished) {
  {
    Renderer renderer(std::move(handler), std::move(writer), trace, interrupt);
    renderer.Start();
    while (std::optional<wire::Frame> frame = queue.Pop()) renderer.Handle(*frame);
  }
  if (finished.valid()) finished.Raise();
}

// Reads and decodes frames into the queue until the connection ends.
void ReadFrames(int fd, FrameQueue& queue) {
  std::vector<std::uint8_t> body;
  std::string error;
  try {
    for (;;) {
      const wire::ReadStatus status = wire::ReadFrame(fd, &body, &error);
      if (status == wire::ReadStatus::kEnd) return;
      std::optional<wire::Frame> frame;
      if (status == wire::ReadStatus::kFrame) frame = wire::DecodeFrame(body.data(), body.size(), &error);
      if (!frame) break;
      queue.Push(std::move(*frame));
    }
  } catch (const std::exception& e) {
    error = e.what();
  }
  Trace::Error("connection ended: " + error);
}

// Waits until the render thread has finished or the host has hung up
// entirely (the socket reports a hang-up, not merely the end of input):
// true for the hang-up.
bool HostHangsUpFirst(int fd, const FinishedSignal& finished) {
  pollfd watched[] = {{finished.fd(), POLLIN, 0}, {fd, 0, 0}};
  for (;;) {
    const int ready = ::poll(watched, 2, -1);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0 || watched[0].revents != 0) return false;
    if (watched[1].revents != 0) return true;
  }
}

}  // namespace

void RunRenderLoop(int fd, CefRefPtr<CefRenderProcessHandler> handler, const Trace& trace) {
  auto writer = std::make_shared<wire::FrameWriter>(fd);
  FrameQueue queue;
  script::ScriptInterrupt interrupt;
  FinishedSignal finished;
  std::thread render_thread(RenderThreadMain, std::ref(queue), std::move(handler), writer, std::cref(trace),
                            std::ref(interrupt), std::ref(finished));
  ReadFrames(fd, queue);
  queue.Close();
  if (finished.valid() && HostHangsUpFirst(fd, finished)) {
    interrupt.Stop();
    queue.Discard();
  }
  render_thread.join();
  writer->Close();
}

}  // namespace cefshim
