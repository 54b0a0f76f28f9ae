// Feeds arbitrary bytes to the HTML page decoder and the title replacement,
// and checks that a page is written back byte for byte when nothing was
// replaced, and reads as the new text when something was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "html_file.h"
#include "html_page_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::optional<HtmlPage> page = DecodeHtmlPage(bytes);
  if (!page) return 0;
  if (EncodeHtmlPage(*page) != bytes) std::abort();
  const std::u16string title = page->text.substr(0, page->text.size() % 7);
  if (!ReplaceTitleElements(page->text, title)) return 0;
  const std::optional<std::string> written = EncodeHtmlPage(*page);
  if (!written) return 0;
  // A Windows-1252 page may come to read as UTF-8 once its non-UTF-8 bytes
  // were in the replaced title; every other page keeps its encoding.
  const std::optional<HtmlPage> reread = DecodeHtmlPage(*written);
  if (!reread) std::abort();
  if (reread->encoding == page->encoding && reread->text != page->text) std::abort();
  if (reread->encoding != page->encoding && page->encoding != PageEncoding::kAnsi) std::abort();
  return 0;
}
