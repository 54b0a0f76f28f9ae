#include "platform/profile_document.h"

#include <set>

#include "platform/codepage.h"
#include "platform/unicode.h"
#include "platform/wide_string.h"

namespace platform {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

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
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    document.utf8_bom_ = true;
    bytes.remove_prefix(kUtf8Bom.size());
  }
  const WString text = IsValidUtf8(bytes) ? Utf8ToUtf16(bytes) : AnsiToUtf16(bytes);
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of(u"\r\n", pos);
    if (end == WString::npos) end = text.size();
    document.lines_.emplace_back(text, pos, end - pos);
    const bool crlf = text.compare(end, 2, u"\r\n") == 0;
    if (document.lines_.size() == 1) document.crlf_ = crlf;
    pos = end + (crlf ? 2 : 1);
  }
  return document;
}

std::string ProfileDocument::Serialize() const {
  const std::string_view line_end = crlf_ ? "\r\n" : "\n";
  std::string bytes(utf8_bom_ ? kUtf8Bom : std::string_view());
  for (const WString& line : lines_) {
    bytes += Utf16ToUtf8(line);
    bytes += line_end;
  }
  return bytes;
}

std::vector<std::size_t> ProfileDocument::SectionHeaders(WStringView section) const {
  const WStringView wanted = TrimBlanks(section);
  std::vector<std::size_t> headers;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const LineMeaning meaning = Classify(lines_[i]);
    if (meaning.kind == LineMeaning::kSection && WEqualsNoCase(meaning.name, wanted)) headers.push_back(i);
  }
  return headers;
}

std::size_t ProfileDocument::SectionEnd(std::size_t header) const {
  std::size_t end = header + 1;
  while (end < lines_.size() && Classify(lines_[end]).kind != LineMeaning::kSection) ++end;
  return end;
}

std::vector<WString> ProfileDocument::SectionNames() const {
  std::vector<WString> names;
  std::set<WStringView, NoCaseLess> seen;
  for (const WString& line : lines_) {
    const LineMeaning meaning = Classify(line);
    if (meaning.kind == LineMeaning::kSection && seen.insert(meaning.name).second) names.emplace_back(meaning.name);
  }
  return names;
}

std::vector<WString> ProfileDocument::SectionLines(WStringView section) const {
  std::vector<WString> result;
  for (const std::size_t header : SectionHeaders(section)) {
    for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i) {
      const LineMeaning meaning = Classify(lines_[i]);
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
      const LineMeaning meaning = Classify(lines_[i]);
      if (meaning.kind == LineMeaning::kKey && WEqualsNoCase(meaning.name, wanted)) {
        return WString(StripQuotes(meaning.value.value_or(WStringView())));
      }
    }
  }
  return std::nullopt;
}

ProfileEdit ProfileDocument::SetValue(WStringView section, WStringView key, WStringView value) {
  if (!IsValidSectionName(section) || !IsValidKeyName(key) || HasLineBreakOrNul(value)) return ProfileEdit::kRefused;
  const WStringView wanted = TrimBlanks(key);
  const std::vector<std::size_t> headers = SectionHeaders(section);
  if (headers.empty()) {
    lines_.push_back(HeaderLine(section));
    lines_.push_back(KeyLine(key, value));
    return ProfileEdit::kChanged;
  }
  for (const std::size_t header : headers) {
    for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i) {
      const LineMeaning meaning = Classify(lines_[i]);
      if (meaning.kind != LineMeaning::kKey || !WEqualsNoCase(meaning.name, wanted)) continue;
      if (meaning.value == value) return ProfileEdit::kUnchanged;
      lines_[i] = KeyLine(meaning.name, value);
      return ProfileEdit::kChanged;
    }
  }
  // A new key goes after the last key of the section's last block.
  const std::size_t header = headers.back();
  std::size_t insert_at = header + 1;
  for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i) {
    if (Classify(lines_[i]).kind == LineMeaning::kKey) insert_at = i + 1;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), KeyLine(key, value));
  return ProfileEdit::kChanged;
}

ProfileEdit ProfileDocument::DeleteKey(WStringView section, WStringView key) {
  if (!IsValidSectionName(section) || !IsValidKeyName(key)) return ProfileEdit::kRefused;
  const WStringView wanted = TrimBlanks(key);
  const std::vector<std::size_t> headers = SectionHeaders(section);
  bool changed = false;
  // Back to front, so that removals do not move the lines still to visit.
  for (auto header = headers.rbegin(); header != headers.rend(); ++header) {
    for (std::size_t i = SectionEnd(*header); i-- > *header + 1;) {
      if (!IsKeyLine(lines_[i], wanted)) continue;
      lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
      changed = true;
    }
  }
  return changed ? ProfileEdit::kChanged : ProfileEdit::kUnchanged;
}

ProfileEdit ProfileDocument::DeleteSection(WStringView section) {
  if (!IsValidSectionName(section)) return ProfileEdit::kRefused;
  const std::vector<std::size_t> headers = SectionHeaders(section);
  for (auto header = headers.rbegin(); header != headers.rend(); ++header) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(*header)));
  }
  return headers.empty() ? ProfileEdit::kUnchanged : ProfileEdit::kChanged;
}

ProfileEdit ProfileDocument::ReplaceSection(WStringView section, const std::vector<WString>& lines) {
  if (!IsValidSectionName(section)) return ProfileEdit::kRefused;
  for (const WString& line : lines) {
    if (!IsValidSectionLine(line)) return ProfileEdit::kRefused;
  }
  std::vector<std::size_t> headers = SectionHeaders(section);
  if (headers.empty()) {
    lines_.push_back(HeaderLine(section));
    lines_.insert(lines_.end(), lines.begin(), lines.end());
    return ProfileEdit::kChanged;
  }
  for (auto header = headers.rbegin(); header != headers.rend(); ++header) {
    for (std::size_t i = SectionEnd(*header); i-- > *header + 1;) {
      if (Classify(lines_[i]).kind == LineMeaning::kKey) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(headers.front() + 1), lines.begin(), lines.end());
  return ProfileEdit::kChanged;
}

}  // namespace platform
