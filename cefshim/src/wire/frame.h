// The frames of the connection between a host and its renderer.
//
// On the wire each frame is a little-endian u32 length of what follows, a u8
// kind, then the payload (integers little-endian, strings and values as in
// byte_writer.h and value_codec.h):
//   kind 1, process message, both ways: i32 browser id, i64 frame id,
//           string name, list value of arguments;
//   kind 2, create browser, host to renderer: i32 browser id, i64 main-frame id;
//   kind 3, load page, host to renderer: i32 browser id, i64 frame id, u8 1
//           for the main frame (0 for a sub-frame), string URL, string script;
//   kind 4, detach frame, host to renderer: i32 browser id, i64 frame id;
//   kind 5, destroy browser, host to renderer: i32 browser id.
// A frame whose length exceeds kMaxFrameLength, of unknown kind, or whose
// payload does not parse exactly (trailing bytes included) is malformed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cef_process_message.h"

namespace cefshim::wire {

// The largest value of the length prefix.
constexpr std::uint32_t kMaxFrameLength = 64u << 20;

enum FrameKind : std::uint8_t {
  kKindProcessMessage = 1,
  kKindCreateBrowser = 2,
  kKindLoadPage = 3,
  kKindDetachFrame = 4,
  kKindDestroyBrowser = 5,
};

struct ProcessMessage {
  std::int32_t browser_id = 0;
  std::int64_t frame_id = 0;
  CefRefPtr<CefProcessMessage> message;
};

struct CreateBrowser {
  std::int32_t browser_id = 0;
  std::int64_t main_frame_id = 0;
};

struct LoadPage {
  std::int32_t browser_id = 0;
  std::int64_t frame_id = 0;
  bool is_main = false;
  std::u16string url;
  std::u16string script;
};

struct DetachFrame {
  std::int32_t browser_id = 0;
  std::int64_t frame_id = 0;
};

struct DestroyBrowser {
  std::int32_t browser_id = 0;
};

using Frame = std::variant<ProcessMessage, CreateBrowser, LoadPage, DetachFrame, DestroyBrowser>;

// The whole frame, length prefix included. Nullopt, with the reason in
// `error`, when it cannot travel: values nested too deeply, or longer than
// kMaxFrameLength. A process message must not be null.
std::optional<std::vector<std::uint8_t>> EncodeFrame(const Frame& frame, std::string* error);

// Decodes a frame from the bytes after its length prefix (kind and payload).
// Nullopt, with the reason in `error`, when they are malformed.
std::optional<Frame> DecodeFrame(const std::uint8_t* body, std::size_t size, std::string* error);

}  // namespace cefshim::wire
