#include "platform/profile_document.h"

#include <iterator>
#include <set>

#include "platform/wide_string.h"
#include "profile_text_encoding.h"

namespace platform {
namespace {

bool IsBlank(WChar c) { return c == u' ' || c == u'\t'; }

WStringView TrimBlanks(WStringView s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool HasLineBreakOrNul(WStringView s) { return s.find_first_of(WStringView(u"\r\n\0", 3)) != WStringView::npos; }

// What one line is to the reader.
struct LineMeaning {
  enum Kind { kOther, kSection, kKey } kind = kOther;
  WStringView name;
  std::optional<WStringView> value;  // keys only; nullopt without "="
};

LineMeaning Classify(WStringView line) {
  const WStringView text = TrimBlanks(line);
  if (text.empty() || text.front() == u';') return {};
  if (text.front() == u'[') {
    const std::size_t close = text.find(u']');
    if (close == WStringView::npos) return {};
    return {LineMeaning::kSection, TrimBlanks(text.substr(1, close - 1)), std::nullopt};
  }
  const std::size_t equals = text.find(u'=');
  if (equals == WStringView::npos) return {LineMeaning::kKey, text, std::nullopt};
  return {LineMeaning::kKey, TrimBlanks(text.substr(0, equals)), TrimBlanks(text.substr(equals + 1))};
}

bool IsKeyLine(WStringView line, WStringView key) {
  const LineMeaning meaning = Classify(line);
  return meaning.kind == LineMeaning::kKey && WEqualsNoCase(meaning.name, key);
}

WStringView StripQuotes(WStringView value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

bool IsValidSectionName(WStringView section) {
  return !HasLineBreakOrNul(section) && section.find(u']') == WStringView::npos;
}

// A key line must read back as this key: no "=", and not a section header
// or a comment once trimmed.
bool IsValidKeyName(WStringView key) {
  const WStringView trimmed = TrimBlanks(key);
  return !HasLineBreakOrNul(key) && key.find(u'=') == WStringView::npos &&
         (trimmed.empty() || (trimmed.front() != u'[' && trimmed.front() != u';'));
}

bool IsValidSectionLine(WStringView line) {
  const WStringView trimmed = TrimBlanks(line);
  return !trimmed.empty() && trimmed.front() != u'[' && !HasLineBreakOrNul(line);
}

WString KeyLine(WStringView key, WStringView value) {
  WString line(TrimBlanks(key));
  line += u'=';
  line += value;
  return line;
}

WString HeaderLine(WStringView section) {
  WString line = u"[";
  line += TrimBlanks(section);
  line += u']';
  return line;
}

struct NoCaseLess {
  bool operator()(WStringView a, WStringView b) const { return WCompareNoCase(a, b) < 0; }
};

}  // namespace

ProfileDocument ProfileDocument::Parse(std::string_view bytes) {
  ProfileDocument document;
  const detail::ProfileText decoded = detail::DecodeProfileText(bytes);
  document.encoding_ = decoded.encoding;
  document.exact_ = decoded.exact;
  const WString& text = decoded.text;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of(u"\r\n", pos);
    if (end == WString::npos) end = text.size();
    const std::size_t end_length = end == text.size() ? 0 : text.compare(end, 2, u"\r\n") == 0 ? 2 : 1;
    document.lines_.push_back({text.substr(pos, end - pos), text.substr(end, end_length)});
    pos = end + end_length;
  }
  return document;
}

std::optional<std::string> ProfileDocument::Serialize() const {
  if (!exact_) return std::nullopt;
  std::string bytes(detail::ProfileTextMark(encoding_));
  WString text;
  for (const Line& line : lines_) {
    detail::AppendProfileText(line.text, encoding_, bytes);
    detail::AppendProfileText(line.end, encoding_, bytes);
    text += line.text;
    text += line.end;
  }
  const detail::ProfileText read_back = detail::DecodeProfileText(bytes);
  if (read_back.encoding != encoding_ || !read_back.exact || read_back.text != text) return std::nullopt;
  return bytes;
}

void ProfileDocument::InsertLines(std::size_t at, std::vector<WString> texts) {
  if (texts.empty()) return;
  const WString end = !lines_.empty() && !lines_.front().end.empty() ? lines_.front().end : u"\n";
  // A last line without a line end gets one before lines follow it.
  if (at == lines_.size() && !lines_.empty() && lines_.back().end.empty()) lines_.back().end = end;
  std::vector<Line> inserted;
  inserted.reserve(texts.size());
  for (WString& text : texts) inserted.push_back({std::move(text), end});
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::make_move_iterator(inserted.begin()),
                std::make_move_iterator(inserted.end()));
}

void ProfileDocument::EraseLines(std::size_t first, std::size_t end) {
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(first), lines_.begin() + static_cast<std::ptrdiff_t>(end));
}

std::vector<std::size_t> ProfileDocument::SectionHeaders(WStringView section) const {
  const WStringView wanted = TrimBlanks(section);
  std::vector<std::size_t> headers;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const LineMeaning meaning = Classify(lines_[i].text);
    if (meaning.kind == LineMeaning::kSection && WEqualsNoCase(meaning.name, wanted)) headers.push_back(i);
  }
  return headers;
}

std::size_t ProfileDocument::SectionEnd(std::size_t header) const {
  std::size_t end = header + 1;
  while (end < lines_.size() && Classify(lines_[end].text).kind != LineMeaning::kSection) ++end;
  return end;
}

std::vector<WString> ProfileDocument::SectionNames() const {
  std::vector<WString> names;
  std::set<WStringView, NoCaseLess> seen;
  for (const Line& line : lines_) {
    const LineMeaning meaning = Classify(line.text);
    if (meaning.kind == LineMeaning::kSection && seen.insert(meaning.name).second) names.emplace_back(meaning.name);
  }
  return names;
}

std::vector<WString> ProfileDocument::SectionLines(WStringView section) const {
  std::vector<WString> result;
  for (const std::size_t header : SectionHeaders(section)) {
    for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i) {
      const LineMeaning meaning = Classify(lines_[i].text);
      if (meaning.kind != LineMeaning::kKey) continue;
      result.push_back(meaning.value ? KeyLine(meaning.name, *meaning.value) : WString(meaning.name));
    }
  }
  return result;
}

std::optional<WString> ProfileDocument::Value(WStringView section, WStringView key) const {
  const WStringView wanted = TrimBlanks(key);
  for (const std::size_t header : SectionHeaders(section)) {
    for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i) {
      const LineMeaning meaning = Classify(lines_[i].text);
      if (meaning.kind == LineMeaning::kKey && WEqualsNoCase(meaning.name, wanted)) {
        return WString(StripQuotes(meaning.value.value_or(WStringView())));
      }
    }
  }
  return std::nullopt;
}

ProfileEdit ProfileDocument::SetValue(WStringView section, WStringView key, WStringView value) {
  if (!exact_ || !IsValidSectionName(section) || !IsValidKeyName(key) || HasLineBreakOrNul(value)) {
    return ProfileEdit::kRefused;
  }
  const WStringView wanted = TrimBlanks(key);
  const std::vector<std::size_t> headers = SectionHeaders(section);
  if (headers.empty()) {
    InsertLines(lines_.size(), {HeaderLine(section), KeyLine(key, value)});
    return ProfileEdit::kChanged;
  }
  for (const std::size_t header : headers) {
    for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i) {
      const LineMeaning meaning = Classify(lines_[i].text);
      if (meaning.kind != LineMeaning::kKey || !WEqualsNoCase(meaning.name, wanted)) continue;
      if (meaning.value == value) return ProfileEdit::kUnchanged;
      lines_[i].text = KeyLine(meaning.name, value);
      return ProfileEdit::kChanged;
    }
  }
  // A new key goes after the last key of the section's last block.
  const std::size_t header = headers.back();
  std::size_t insert_at = header + 1;
  for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i) {
    if (Classify(lines_[i].text).kind == LineMeaning::kKey) insert_at = i + 1;
  }
  InsertLines(insert_at, {KeyLine(key, value)});
  return ProfileEdit::kChanged;
}

ProfileEdit ProfileDocument::DeleteKey(WStringView section, WStringView key) {
  if (!exact_ || !IsValidSectionName(section) || !IsValidKeyName(key)) return ProfileEdit::kRefused;
  const WStringView wanted = TrimBlanks(key);
  const std::vector<std::size_t> headers = SectionHeaders(section);
  bool changed = false;
  // Back to front, so that removals do not move the lines still to visit.
  for (auto header = headers.rbegin(); header != headers.rend(); ++header) {
    for (std::size_t i = SectionEnd(*header); i-- > *header + 1;) {
      if (!IsKeyLine(lines_[i].text, wanted)) continue;
      EraseLines(i, i + 1);
      changed = true;
    }
  }
  return changed ? ProfileEdit::kChanged : ProfileEdit::kUnchanged;
}

ProfileEdit ProfileDocument::DeleteSection(WStringView section) {
  if (!exact_ || !IsValidSectionName(section)) return ProfileEdit::kRefused;
  const std::vector<std::size_t> headers = SectionHeaders(section);
  for (auto header = headers.rbegin(); header != headers.rend(); ++header) EraseLines(*header, SectionEnd(*header));
  return headers.empty() ? ProfileEdit::kUnchanged : ProfileEdit::kChanged;
}

ProfileEdit ProfileDocument::ReplaceSection(WStringView section, const std::vector<WString>& lines) {
  if (!exact_ || !IsValidSectionName(section)) return ProfileEdit::kRefused;
  for (const WString& line : lines) {
    if (!IsValidSectionLine(line)) return ProfileEdit::kRefused;
  }
  const std::vector<std::size_t> headers = SectionHeaders(section);
  if (headers.empty()) {
    std::vector<WString> added = {HeaderLine(section)};
    added.insert(added.end(), lines.begin(), lines.end());
    InsertLines(lines_.size(), std::move(added));
    return ProfileEdit::kChanged;
  }
  for (auto header = headers.rbegin(); header != headers.rend(); ++header) {
    for (std::size_t i = SectionEnd(*header); i-- > *header + 1;) {
      if (Classify(lines_[i].text).kind == LineMeaning::kKey) EraseLines(i, i + 1);
    }
  }
  InsertLines(headers.front() + 1, lines);
  return ProfileEdit::kChanged;
}

}  // namespace platform
