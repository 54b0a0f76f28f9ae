// Diagnostics of the renderer runtime: lines "cefshim: ..." on standard
// error, each written whole. Any thread.
#pragma once

#include <string>

#include "cef_string.h"

namespace cefshim {

class Trace {
 public:
  explicit Trace(bool enabled) : enabled_(enabled) {}

  // A line written only when tracing is enabled.
  void Line(const std::string& text) const;
  // A line always written: something went wrong.
  static void Error(const std::string& text);
  // `text` as UTF-8 in double quotes, with control characters, quotes and
  // backslashes escaped, so that a line stays one line.
  static std::string Quote(const CefString& text);

 private:
  bool enabled_;
};

}  // namespace cefshim
