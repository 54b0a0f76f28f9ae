#include "command_line_tail.h"

#include "platform/unicode.h"

namespace launcher {

platform::WString QuoteArgument(platform::WStringView argument) {
  if (!argument.empty() && argument.find_first_of(u" \t\"") == platform::WStringView::npos) {
    return platform::WString(argument);
  }
  platform::WString quoted = u"\"";
  std::size_t backslashes = 0;
  for (char16_t unit : argument) {
    if (unit == u'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes are literal unless a quote follows them.
    quoted.append(unit == u'"' ? backslashes * 2 + 1 : backslashes, u'\\');
    quoted += unit;
    backslashes = 0;
  }
  quoted.append(backslashes * 2, u'\\');
  quoted += u'"';
  return quoted;
}

platform::WString CommandLineTail(int argc, const char* const* argv) {
  platform::WString tail;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) tail += u' ';
    tail += QuoteArgument(platform::Utf8ToUtf16(argv[i]));
  }
  return tail;
}

}  // namespace launcher
