#include "text_split.h"

platform::WStringView TrimBlanks(platform::WStringView text) {
  const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<platform::WStringView> SplitNonEmpty(platform::WStringView text, char16_t separator) {
  std::vector<platform::WStringView> pieces;
  while (true) {
    const std::size_t end = text.find(separator);
    const platform::WStringView piece = TrimBlanks(text.substr(0, end));
    if (!piece.empty()) pieces.push_back(piece);
    if (end == platform::WStringView::npos) break;
    text.remove_prefix(end + 1);
  }
  return pieces;
}
