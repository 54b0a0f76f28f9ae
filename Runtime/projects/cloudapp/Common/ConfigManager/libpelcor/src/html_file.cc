#include "html_file.h"

#include "boundary_guard.h"
#include "html_page_file.h"

namespace {

constexpr std::u16string_view kOpen = u"<title>";
constexpr std::u16string_view kClose = u"</title>";

}  // namespace

bool ReplaceTitleElements(std::u16string& text, std::u16string_view title) {
  const std::size_t open = text.find(kOpen);
  const std::size_t close = text.find(kClose);
  if (open == std::u16string::npos || close == std::u16string::npos || close < open) return false;
  const std::u16string old_element = text.substr(open, close + kClose.size() - open);
  std::u16string new_element(kOpen);
  new_element += title;
  new_element += kClose;
  if (old_element == new_element) return false;
  for (std::size_t at = text.find(old_element, open); at != std::u16string::npos;
       at = text.find(old_element, at + new_element.size())) {
    text.replace(at, old_element.size(), new_element);
  }
  return true;
}

bool CHtmlFile::SetTitle(const char16_t* path, const char16_t* title) {
  if (title == nullptr) return false;
  return Guarded(false, [&] {
    std::optional<HtmlPage> page = ReadHtmlFile(path);
    if (!page) return false;
    if (!ReplaceTitleElements(page->text, title)) return true;
    return WriteHtmlFile(path, *page);
  });
}
