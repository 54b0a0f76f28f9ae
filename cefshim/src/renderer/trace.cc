#include "renderer/trace.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace cefshim {
namespace {

void WriteLine(const std::string& text) {
  const std::string line = "cefshim: " + text + "\n";
  std::size_t done = 0;
  while (done < line.size()) {
    const ssize_t written = ::write(STDERR_FILENO, line.data() + done, line.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    done += static_cast<std::size_t>(written);
  }
}

}  // namespace

void Trace::Line(const std::string& text) const {
  if (enabled_) WriteLine(text);
}

void Trace::Error(const std::string& text) {
  WriteLine(text);
}

std::string Trace::Quote(const CefString& text) {
  std::string quoted = "\"";
  for (const char c : text.ToString()) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (byte < 0x20 || byte == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

}  // namespace cefshim
