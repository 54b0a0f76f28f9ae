// Saving documents: to files (replaced atomically), as UTF-16 text and as
// bytes in memory.
#include <cstdio>
#include <limits>
#include <string_view>

#include "json_text_writer.h"
#include "platform/atomic_file_writer.h"
#include "platform/files.h"
#include "platform/wide_string.h"
#include "tqjson/rapid_json_generator.h"

namespace TQJSON {
namespace {

// A RapidJSON byte stream that passes its bytes on to a file through a
// 260-byte buffer, so no text is built in memory first.
class FileByteStream {
 public:
  using Ch = char;

  explicit FileByteStream(platform::AtomicFileWriter& file) : file_(file) {}

  void Put(char byte) {
    if (used_ == sizeof buffer_) Flush();
    buffer_[used_++] = byte;
  }

  void Flush() {
    file_.Write(std::string_view(buffer_, used_));
    used_ = 0;
  }

 private:
  platform::AtomicFileWriter& file_;
  char buffer_[260];
  std::size_t used_ = 0;
};

// The save probe: a name may be written when it is not empty and the file,
// if it exists, can be opened for reading. Folders, other non-regular files
// and read-only files are refused when their replacement begins.
bool CanWriteFile(const char16_t* file_name) {
  if (platform::WLength(file_name) == 0) return false;
  if (!platform::PathExists(file_name)) return true;
  std::FILE* file = platform::OpenFile(file_name, "rb");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

}  // namespace

bool CRapidJsonGenerator::HasContainerRoot() const { return document_.IsObject() || document_.IsArray(); }

std::int32_t CRapidJsonGenerator::SaveFile(const char16_t* file_name, std::int32_t encoding, bool indented) {
  if (!IsKnownEncoding(encoding) || !CanWriteFile(file_name)) return JSONFUN_FAILED;
  const auto file = platform::AtomicFileWriter::Begin(file_name);
  if (file == nullptr) return JSONFUN_FAILED;
  // A document without a root saves as an empty file.
  if (HasContainerRoot()) {
    FileByteStream bytes(*file);
    const bool written = indented ? WriteJsonBytes<true>(document_, encoding, true, bytes)
                                  : WriteJsonBytes<false>(document_, encoding, true, bytes);
    if (!written) return JSONFUN_FAILED;
    bytes.Flush();
  }
  return file->Commit() ? kJsonSuccess : JSONFUN_FAILED;
}

std::int32_t CRapidJsonGenerator::SaveToFile(const char16_t* file_name, std::int32_t encoding) {
  return SaveFile(file_name, encoding, false);
}

std::int32_t CRapidJsonGenerator::SaveToFileFormatted(const char16_t* file_name, std::int32_t encoding,
                                                      std::int32_t formatted) {
  if (formatted != 0 && formatted != 1) return JSONFUN_FAILED;
  return SaveFile(file_name, encoding, formatted == 1);
}

std::int32_t CRapidJsonGenerator::GetJsonText(const char16_t** text) {
  if (text == nullptr) return JSONFUN_FAILED;
  text_.Clear();
  if (HasContainerRoot() && !WriteJsonText(document_, text_)) {
    *text = nullptr;
    return JSONFUN_FAILED;
  }
  *text = text_.GetString();
  return kJsonSuccess;
}

std::int32_t CRapidJsonGenerator::SaveToBuffer(const std::uint8_t** data, std::uint32_t* size, std::int32_t encoding) {
  if (data == nullptr || size == nullptr) return JSONFUN_FAILED;
  *data = nullptr;
  if (!HasContainerRoot() || !IsKnownEncoding(encoding)) return JSONFUN_FAILED;
  bytes_.Clear();
  if (!WriteJsonBytes<false>(document_, encoding, false, bytes_)) return JSONFUN_FAILED;
  // The count is 32-bit: a larger text cannot be handed out.
  if (bytes_.GetSize() > std::numeric_limits<std::uint32_t>::max()) return JSONFUN_FAILED;
  *data = reinterpret_cast<const std::uint8_t*>(bytes_.GetBuffer());
  *size = static_cast<std::uint32_t>(bytes_.GetSize());
  return kJsonSuccess;
}

}  // namespace TQJSON
