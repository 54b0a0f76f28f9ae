#include "cefshim/host/renderer_process.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <thread>
#include <utility>

#include "child_process.h"
#include "message_inbox.h"
#include "output_capture.h"
#include "wire/frame.h"
#include "wire/frame_io.h"
#include "wire/switches.h"
#include "wire/unique_fd.h"

namespace cefshim::host {

class RendererProcess::Impl {
 public:
  Impl(wire::UniqueFd socket, std::unique_ptr<ChildProcess> child, wire::UniqueFd output)
      : socket_(std::move(socket)),
        writer_(socket_.get()),
        child_(std::move(child)),
        output_(std::move(output)),
        reader_([this] { ReadMessages(); }) {}

  ~Impl() {
    Disconnect();
    reader_.join();
    writer_.Close();
    if (!child_->Wait(std::chrono::seconds(10))) child_.reset();  // kills and reaps
  }

  pid_t pid() const { return child_->pid(); }

  bool Send(const wire::Frame& frame) {
    std::string error;
    const auto bytes = wire::EncodeFrame(frame, &error);
    return bytes && writer_.Write(*bytes);
  }
  bool SendBytes(const std::vector<std::uint8_t>& bytes) { return writer_.Write(bytes); }
  void CloseConnection() { ::shutdown(socket_.get(), SHUT_WR); }
  void Disconnect() { ::shutdown(socket_.get(), SHUT_RDWR); }

  MessageInbox& inbox() { return inbox_; }
  ChildProcess& child() { return *child_; }
  OutputCapture& output() { return output_; }

 private:
  // The reader thread: every process message into the inbox, until the
  // connection ends or the renderer sends anything else.
  void ReadMessages() {
    std::vector<std::uint8_t> body;
    std::string error;
    while (wire::ReadFrame(socket_.get(), &body, &error) == wire::ReadStatus::kFrame) {
      std::optional<wire::Frame> frame = wire::DecodeFrame(body.data(), body.size(), &error);
      auto* message = frame ? std::get_if<wire::ProcessMessage>(&*frame) : nullptr;
      if (!message) break;
      inbox_.Add(ReceivedMessage{message->browser_id, message->frame_id, message->message});
    }
    inbox_.Close();
  }

  const wire::UniqueFd socket_;
  wire::FrameWriter writer_;
  std::unique_ptr<ChildProcess> child_;
  OutputCapture output_;
  MessageInbox inbox_;
  std::thread reader_;
};

std::unique_ptr<RendererProcess> RendererProcess::Start(const std::string& executable,
                                                        const std::vector<std::string>& arguments,
                                                        std::string* error) {
  int sockets[2];
  int output[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0) {
    *error = std::string("socketpair: ") + std::strerror(errno);
    return nullptr;
  }
  wire::UniqueFd host_end(sockets[0]);
  wire::UniqueFd child_end(sockets[1]);
  if (::pipe2(output, O_CLOEXEC) != 0) {
    *error = std::string("pipe: ") + std::strerror(errno);
    return nullptr;
  }
  wire::UniqueFd output_read(output[0]);
  wire::UniqueFd output_write(output[1]);

  std::vector<std::string> child_arguments = arguments;
  child_arguments.push_back("--" + std::string(wire::kIpcFdSwitch) + "=" + std::to_string(child_end.get()));
  std::unique_ptr<ChildProcess> child =
      ChildProcess::Spawn(executable, child_arguments, child_end.get(), output_write.get(), error);
  if (!child) return nullptr;
  return std::unique_ptr<RendererProcess>(new RendererProcess(
      std::make_unique<Impl>(std::move(host_end), std::move(child), std::move(output_read))));
}

RendererProcess::RendererProcess(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

RendererProcess::~RendererProcess() = default;

pid_t RendererProcess::pid() const {
  return impl_->pid();
}

bool RendererProcess::CreateBrowser(std::int32_t browser_id, std::int64_t main_frame_id) {
  return impl_->Send(wire::CreateBrowser{browser_id, main_frame_id});
}

bool RendererProcess::LoadPage(std::int32_t browser_id, std::int64_t frame_id, bool is_main, const CefString& url,
                               const CefString& script) {
  return impl_->Send(wire::LoadPage{browser_id, frame_id, is_main, url.ToString16(), script.ToString16()});
}

bool RendererProcess::DetachFrame(std::int32_t browser_id, std::int64_t frame_id) {
  return impl_->Send(wire::DetachFrame{browser_id, frame_id});
}

bool RendererProcess::DestroyBrowser(std::int32_t browser_id) {
  return impl_->Send(wire::DestroyBrowser{browser_id});
}

bool RendererProcess::SendProcessMessage(std::int32_t browser_id, std::int64_t frame_id,
                                         CefRefPtr<CefProcessMessage> message) {
  return message && impl_->Send(wire::ProcessMessage{browser_id, frame_id, message});
}

bool RendererProcess::SendBytes(const std::vector<std::uint8_t>& bytes) {
  return impl_->SendBytes(bytes);
}

std::optional<ReceivedMessage> RendererProcess::WaitForMessage(const CefString& name,
                                                               std::chrono::milliseconds timeout) {
  return impl_->inbox().Take(name, timeout);
}

void RendererProcess::CloseConnection() {
  impl_->CloseConnection();
}

void RendererProcess::Disconnect() {
  impl_->Disconnect();
}

std::optional<ExitStatus> RendererProcess::WaitForExit(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  std::optional<ExitStatus> status = impl_->child().Wait(timeout);
  if (status) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    impl_->output().WaitForEnd(std::max(left, std::chrono::milliseconds(0)));
  }
  return status;
}

std::string RendererProcess::Output() const {
  return impl_->output().Text();
}

bool RendererProcess::WaitForOutput(std::string_view text, std::chrono::milliseconds timeout) {
  return impl_->output().WaitFor(text, timeout);
}

}  // namespace cefshim::host
