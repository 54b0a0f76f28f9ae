#include "platform/registry.h"

#include <pwd.h>
#include <unistd.h>

#include <vector>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/unicode.h"
#include "platform/wide_string.h"

namespace platform {
namespace {

constexpr WStringView kCurrentUser = u"HKEY_CURRENT_USER";
constexpr WStringView kLocalMachine = u"HKEY_LOCAL_MACHINE";

bool IsBlank(WChar c) { return c == u' ' || c == u'\t'; }

WStringView TrimBlanks(WStringView s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The text of a .reg file: UTF-16LE after its BOM, else UTF-8 (BOM
// skipped); bytes that are not UTF-8 are read as Windows-1252, as an old
// regedit export is.
WString DecodeRegText(std::string_view bytes) {
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    WString text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
      text += static_cast<WChar>(static_cast<unsigned char>(bytes[i]) |
                                 (static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    return text;
  }
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  return IsValidUtf8(bytes) ? Utf8ToUtf16(bytes) : AnsiToUtf16(bytes);
}

// Splits the text into logical lines: CR and CRLF end lines like LF, and a
// line whose last non-blank character is "\" continues on the next (whose
// leading blanks are dropped). A comment line never continues.
std::vector<WString> LogicalLines(WStringView text) {
  std::vector<WString> lines;
  WString current;
  bool continuing = false;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find_first_of(u"\r\n", pos);
    if (end == WStringView::npos) end = text.size();
    WStringView line = text.substr(pos, end - pos);
    pos = end + (text.substr(end, 2) == u"\r\n" ? 2 : 1);
    if (continuing) {
      while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    }
    while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
    const bool comment = !continuing && !TrimBlanks(line).empty() && TrimBlanks(line).front() == u';';
    continuing = !comment && !line.empty() && line.back() == u'\\';
    if (continuing) line.remove_suffix(1);
    current += line;
    if (!continuing) {
      lines.push_back(std::move(current));
      current.clear();
    }
  }
  if (!current.empty()) lines.push_back(std::move(current));
  return lines;
}

// Reads a quoted text at text[pos] == '"' with the \\ and \" escapes (any
// other backslash stays as written). Advances past the closing quote;
// nullopt when it is not closed.
std::optional<WString> ReadQuoted(WStringView text, std::size_t& pos) {
  WString out;
  for (std::size_t i = pos + 1; i < text.size(); ++i) {
    if (text[i] == u'"') {
      pos = i + 1;
      return out;
    }
    if (text[i] == u'\\' && i + 1 < text.size() && (text[i + 1] == u'\\' || text[i + 1] == u'"')) ++i;
    out += text[i];
  }
  return std::nullopt;
}

int HexDigit(WChar c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// A hexadecimal number of 1 to max_digits digits, the whole text.
std::optional<std::uint32_t> ParseHexNumber(WStringView text, std::size_t max_digits) {
  if (text.empty() || text.size() > max_digits) return std::nullopt;
  std::uint32_t value = 0;
  for (WChar c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  return value;
}

// "01,ab , ff" -> bytes; a trailing comma is tolerated; empty is no bytes.
std::optional<std::string> ParseHexBytes(WStringView text) {
  std::string bytes;
  text = TrimBlanks(text);
  while (!text.empty()) {
    const std::size_t comma = text.find(u',');
    const auto byte = ParseHexNumber(TrimBlanks(text.substr(0, comma)), 2);
    if (!byte) return std::nullopt;
    bytes += static_cast<char>(*byte);
    if (comma == WStringView::npos) break;
    text = TrimBlanks(text.substr(comma + 1));
  }
  return bytes;
}

std::string Utf16LeBytes(WStringView text) {
  std::string bytes;
  bytes.reserve(text.size() * 2 + 2);
  for (WChar c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  bytes.append(2, '\0');
  return bytes;
}

bool StartsWithNoCase(WStringView text, WStringView prefix) {
  return text.size() >= prefix.size() && WEqualsNoCase(text.substr(0, prefix.size()), prefix);
}

// The data after "=" ("-" excepted); nullopt when malformed.
std::optional<RegistryValue> ParseData(WStringView data, bool regedit4) {
  RegistryValue value;
  if (!data.empty() && data.front() == u'"') {
    std::size_t pos = 0;
    const auto text = ReadQuoted(data, pos);
    const WStringView rest = TrimBlanks(data.substr(pos));
    if (!text || !(rest.empty() || rest.front() == u';')) return std::nullopt;
    value.type = RegistryValueType::kString;
    value.data = Utf16LeBytes(*text);
    return value;
  }
  if (StartsWithNoCase(data, u"dword:")) {
    const auto number = ParseHexNumber(TrimBlanks(data.substr(6)), 8);
    if (!number) return std::nullopt;
    value.type = RegistryValueType::kDword;
    for (int shift = 0; shift < 32; shift += 8) value.data += static_cast<char>(*number >> shift & 0xFF);
    return value;
  }
  std::uint32_t type = static_cast<std::uint32_t>(RegistryValueType::kBinary);
  std::size_t colon = 4;
  if (StartsWithNoCase(data, u"hex(")) {
    const std::size_t close = data.find(u"):");
    const auto number = close == WStringView::npos ? std::nullopt : ParseHexNumber(data.substr(4, close - 4), 8);
    if (!number) return std::nullopt;
    type = *number;
    colon = close + 2;
  } else if (!StartsWithNoCase(data, u"hex:")) {
    return std::nullopt;
  }
  auto bytes = ParseHexBytes(data.substr(colon));
  if (!bytes) return std::nullopt;
  value.type = static_cast<RegistryValueType>(type);
  // An old (REGEDIT4) export writes string data in the ANSI code page.
  const bool string_type = value.type == RegistryValueType::kExpandString ||
                           value.type == RegistryValueType::kMultiString;
  if (regedit4 && string_type) {
    WString text = AnsiToUtf16(*bytes);
    value.data = Utf16LeBytes(text);
    value.data.resize(value.data.size() - 2);  // the data carries its own NULs
  } else {
    value.data = std::move(*bytes);
  }
  return value;
}

WStringView StripTrailingBackslashes(WStringView key) {
  while (!key.empty() && key.back() == u'\\') key.remove_suffix(1);
  return key;
}

// Erases a key and every key below it.
void DeleteKeyTree(RegistryData& data, const WString& key) {
  data.erase(key);
  const WString prefix = key + u'\\';
  auto it = data.lower_bound(prefix);
  while (it != data.end() && StartsWithNoCase(it->first, prefix)) it = data.erase(it);
}

// Handles one value line of the current section.
void ParseValueLine(WStringView line, RegistryValues* values, bool regedit4) {
  WString name;
  std::size_t pos = 0;
  if (line.front() == u'@') {
    pos = 1;
  } else {
    auto quoted = ReadQuoted(line, pos);
    if (!quoted) return;
    name = std::move(*quoted);
  }
  const WStringView rest = TrimBlanks(line.substr(pos));
  if (rest.empty() || rest.front() != u'=' || values == nullptr) return;
  const WStringView data = TrimBlanks(rest.substr(1));
  if (data == u"-") {
    values->erase(name);
  } else if (auto value = ParseData(data, regedit4)) {
    (*values)[name] = std::move(*value);
  }
}

WString HiveName(RegistryHive hive) {
  return WString(hive == RegistryHive::kCurrentUser ? kCurrentUser : kLocalMachine);
}

WString HomeFolder() {
  if (auto home = GetEnvironmentVariable(u"HOME"); home && !home->empty()) return *home;
  const passwd* pw = ::getpwuid(::getuid());
  return pw && pw->pw_dir ? Utf8ToUtf16(pw->pw_dir) : WString();
}

// The file that holds a hive.
WString HiveFile(RegistryHive hive) {
  if (auto single = GetEnvironmentVariable(u"LUMARINE_REGISTRY"); single && !single->empty()) return *single;
  if (hive == RegistryHive::kLocalMachine) return u"/etc/lumarine/registry.reg";
  auto config = GetEnvironmentVariable(u"XDG_CONFIG_HOME");
  // The XDG rules: an unset, empty or relative value means ~/.config.
  if (!config || config->empty() || config->front() != u'/') config = JoinPath(HomeFolder(), u".config");
  return JoinPath(*config, u"lumarine/registry.reg");
}

}  // namespace

bool RegistryNameLess::operator()(const WString& a, const WString& b) const {
  return WCompareNoCase(a, b) < 0;
}

void ParseRegFile(std::string_view bytes, RegistryData& data) {
  const std::vector<WString> lines = LogicalLines(DecodeRegText(bytes));
  bool regedit4 = false;
  bool first = true;
  RegistryValues* section = nullptr;
  for (const WString& raw : lines) {
    const WStringView line = TrimBlanks(raw);
    if (line.empty() || line.front() == u';') continue;
    if (first) {
      first = false;
      regedit4 = line == u"REGEDIT4";
      if (regedit4 || line == u"Windows Registry Editor Version 5.00") continue;
    }
    if (line.front() == u'[') {
      const std::size_t close = line.rfind(u']');
      section = nullptr;
      if (close == WStringView::npos || close < 2) continue;
      const bool deletion = line[1] == u'-';
      const WString key(StripTrailingBackslashes(line.substr(deletion ? 2 : 1, close - (deletion ? 2 : 1))));
      if (key.empty()) continue;
      if (deletion) {
        DeleteKeyTree(data, key);
      } else {
        section = &data[key];
      }
      continue;
    }
    if (line.front() == u'"' || line.front() == u'@') ParseValueLine(line, section, regedit4);
  }
}

std::unique_ptr<RegistryKey> RegistryKey::Open(RegistryHive hive, WStringView subkey) {
  RegistryData data;
  if (auto bytes = ReadWholeFile(HiveFile(hive))) ParseRegFile(*bytes, data);
  WString path = HiveName(hive);
  subkey = StripTrailingBackslashes(subkey);
  if (!subkey.empty()) path += u'\\' + WString(subkey);
  if (auto it = data.find(path); it != data.end()) return std::make_unique<RegistryKey>(std::move(it->second));
  // A key exists also when only keys below it were written, and the hive's
  // root always exists.
  const WString prefix = path + u'\\';
  const auto below = data.lower_bound(prefix);
  if (subkey.empty() || (below != data.end() && StartsWithNoCase(below->first, prefix))) {
    return std::make_unique<RegistryKey>(RegistryValues());
  }
  return nullptr;
}

std::optional<RegistryValue> RegistryKey::ReadValue(WStringView name) const {
  const auto it = values_.find(WString(name));
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

std::optional<WString> RegistryKey::ReadString(WStringView name) const {
  const auto value = ReadValue(name);
  if (!value || (value->type != RegistryValueType::kString && value->type != RegistryValueType::kExpandString)) {
    return std::nullopt;
  }
  WString text;
  for (std::size_t i = 0; i + 1 < value->data.size(); i += 2) {
    const WChar c = static_cast<WChar>(static_cast<unsigned char>(value->data[i]) |
                                       (static_cast<unsigned char>(value->data[i + 1]) << 8));
    if (c == 0) break;
    text += c;
  }
  return text;
}

std::optional<std::uint32_t> RegistryKey::ReadDword(WStringView name) const {
  const auto value = ReadValue(name);
  if (!value || value->type != RegistryValueType::kDword || value->data.size() != 4) return std::nullopt;
  std::uint32_t number = 0;
  for (int i = 3; i >= 0; --i) number = number << 8 | static_cast<unsigned char>(value->data[i]);
  return number;
}

}  // namespace platform
