#include "platform/message_box.h"

#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <string>

#include "platform/unicode.h"

namespace platform {
namespace {

// Line breaks inside the caption or text become one space each, so that a
// message box is always exactly one line.
void AppendOnOneLine(std::string& line, WStringView text) {
  const std::string utf8 = Utf16ToUtf8(text);
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
    line += utf8[i] == '\r' || utf8[i] == '\n' ? ' ' : utf8[i];
  }
}

}  // namespace

void ShowMessageBox(WStringView caption, WStringView text) {
  std::string line;
  AppendOnOneLine(line, caption);
  line += ": ";
  AppendOnOneLine(line, text);
  line += '\n';
  // One write per line, under a lock, so concurrent boxes never interleave.
  static std::mutex mutex;
  std::lock_guard<std::mutex> lock(mutex);
  std::string_view rest = line;
  while (!rest.empty()) {
    const ssize_t n = ::write(STDERR_FILENO, rest.data(), rest.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    rest.remove_prefix(static_cast<std::size_t>(n));
  }
}

}  // namespace platform
