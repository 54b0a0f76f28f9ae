#include "wire/frame.h"

#include "values/process_message_impl.h"
#include "wire/byte_reader.h"
#include "wire/byte_writer.h"
#include "wire/value_codec.h"

namespace cefshim::wire {
namespace {

// Body writers: append the kind and payload; false when it cannot travel.
bool WriteBody(ByteWriter& writer, const ProcessMessage& frame) {
  writer.U8(kKindProcessMessage);
  writer.I32(frame.browser_id);
  writer.I64(frame.frame_id);
  writer.String(frame.message->GetName().view());
  return WriteListValue(writer, *frame.message->GetArgumentList());
}

bool WriteBody(ByteWriter& writer, const CreateBrowser& frame) {
  writer.U8(kKindCreateBrowser);
  writer.I32(frame.browser_id);
  writer.I64(frame.main_frame_id);
  return true;
}

bool WriteBody(ByteWriter& writer, const LoadPage& frame) {
  writer.U8(kKindLoadPage);
  writer.I32(frame.browser_id);
  writer.I64(frame.frame_id);
  writer.U8(frame.is_main ? 1 : 0);
  writer.String(frame.url);
  writer.String(frame.script);
  return true;
}

bool WriteBody(ByteWriter& writer, const DetachFrame& frame) {
  writer.U8(kKindDetachFrame);
  writer.I32(frame.browser_id);
  writer.I64(frame.frame_id);
  return true;
}

bool WriteBody(ByteWriter& writer, const DestroyBrowser& frame) {
  writer.U8(kKindDestroyBrowser);
  writer.I32(frame.browser_id);
  return true;
}

std::optional<Frame> ReadProcessMessage(ByteReader& reader) {
  ProcessMessage frame;
  std::u16string name;
  if (!reader.I32(&frame.browser_id) || !reader.I64(&frame.frame_id) || !reader.String(&name)) return std::nullopt;
  CefRefPtr<CefListValue> arguments = ReadListValue(reader);
  if (!arguments) return std::nullopt;
  frame.message = new CefProcessMessageImpl(name, std::move(arguments));
  return frame;
}

std::optional<Frame> ReadLoadPage(ByteReader& reader) {
  LoadPage frame;
  std::uint8_t is_main = 0;
  if (!reader.I32(&frame.browser_id) || !reader.I64(&frame.frame_id) || !reader.U8(&is_main) || is_main > 1 ||
      !reader.String(&frame.url) || !reader.String(&frame.script)) {
    return std::nullopt;
  }
  frame.is_main = is_main == 1;
  return frame;
}

bool IsKnownKind(std::uint8_t kind) {
  return kind >= kKindProcessMessage && kind <= kKindDestroyBrowser;
}

std::optional<Frame> ReadBody(ByteReader& reader, std::uint8_t kind) {
  switch (kind) {
    case kKindProcessMessage:
      return ReadProcessMessage(reader);
    case kKindCreateBrowser: {
      CreateBrowser frame;
      if (!reader.I32(&frame.browser_id) || !reader.I64(&frame.main_frame_id)) return std::nullopt;
      return frame;
    }
    case kKindLoadPage:
      return ReadLoadPage(reader);
    case kKindDetachFrame: {
      DetachFrame frame;
      if (!reader.I32(&frame.browser_id) || !reader.I64(&frame.frame_id)) return std::nullopt;
      return frame;
    }
    case kKindDestroyBrowser: {
      DestroyBrowser frame;
      if (!reader.I32(&frame.browser_id)) return std::nullopt;
      return frame;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodeFrame(const Frame& frame, std::string* error) {
  ByteWriter writer;
  writer.U32(0);  // the length, filled in below
  if (!std::visit([&writer](const auto& body) { return WriteBody(writer, body); }, frame)) {
    *error = "values nested deeper than " + std::to_string(kMaxValueDepth) + " levels";
    return std::nullopt;
  }
  const std::size_t length = writer.size() - 4;
  if (length > kMaxFrameLength) {
    *error = "frame of " + std::to_string(length) + " bytes exceeds the limit of " + std::to_string(kMaxFrameLength);
    return std::nullopt;
  }
  std::vector<std::uint8_t>& bytes = writer.bytes();
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(length >> (8 * i));
  return std::move(bytes);
}

std::optional<Frame> DecodeFrame(const std::uint8_t* body, std::size_t size, std::string* error) {
  ByteReader reader(body, size);
  std::uint8_t kind = 0;
  if (!reader.U8(&kind)) {
    *error = "empty frame";
    return std::nullopt;
  }
  if (!IsKnownKind(kind)) {
    *error = "unknown frame kind " + std::to_string(kind);
    return std::nullopt;
  }
  std::optional<Frame> frame = ReadBody(reader, kind);
  if (!frame) {
    *error = "malformed frame of kind " + std::to_string(kind);
    return std::nullopt;
  }
  if (!reader.AtEnd()) {
    *error = std::to_string(reader.remaining()) + " bytes after a frame of kind " + std::to_string(kind);
    return std::nullopt;
  }
  return frame;
}

}  // namespace cefshim::wire
