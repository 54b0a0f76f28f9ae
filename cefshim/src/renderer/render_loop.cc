#include "renderer/render_loop.h"

#include <exception>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "renderer/frame_queue.h"
#include "renderer/renderer.h"
#include "wire/frame_io.h"

namespace cefshim {
namespace {

// The render thread: applies queued frames until the queue is closed and
// drained.
void RenderThreadMain(FrameQueue& queue, CefRefPtr<CefRenderProcessHandler> handler,
                      std::shared_ptr<wire::FrameWriter> writer, const Trace& trace) {
  Renderer renderer(std::move(handler), std::move(writer), trace);
  renderer.Start();
  while (std::optional<wire::Frame> frame = queue.Pop()) renderer.Handle(*frame);
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

}  // namespace

void RunRenderLoop(int fd, CefRefPtr<CefRenderProcessHandler> handler, const Trace& trace) {
  auto writer = std::make_shared<wire::FrameWriter>(fd);
  FrameQueue queue;
  std::thread render_thread(RenderThreadMain, std::ref(queue), std::move(handler), writer, std::cref(trace));
  ReadFrames(fd, queue);
  queue.Close();
  render_thread.join();
  writer->Close();
}

}  // namespace cefshim
