// CefString: text as CEF hands it over, stored as UTF-16.
//
// Any sequence of UTF-16 units survives unchanged, NULs and lone surrogates
// included; comparison is exact and case-sensitive, unit by unit. Text built
// from 8-bit strings is read as UTF-8 (ill-formed sequences become U+FFFD),
// and ToString() writes UTF-8 (a lone surrogate becomes U+FFFD). A CefString
// is a value: copy it freely; one object is not synchronised.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class CefString {
 public:
  CefString() = default;
  CefString(const std::u16string& text) : text_(text) {}
  CefString(std::u16string&& text) : text_(std::move(text)) {}
  CefString(std::u16string_view text) : text_(text) {}
  // A null pointer gives the empty string.
  CefString(const char16_t* text) : text_(text ? text : u"") {}
  CefString(const char16_t* text, std::size_t length) : text_(text, length) {}
  CefString(const std::string& utf8);
  CefString(const char* utf8);

  const char16_t* c_str() const { return text_.c_str(); }
  std::size_t length() const { return text_.size(); }
  std::size_t size() const { return text_.size(); }
  bool empty() const { return text_.empty(); }
  void clear() { text_.clear(); }

  std::string ToString() const;
  std::u16string ToString16() const { return text_; }
  operator std::u16string() const { return text_; }
  std::u16string_view view() const { return text_; }

  int compare(const CefString& other) const { return text_.compare(other.text_); }

  friend bool operator==(const CefString& a, const CefString& b) { return a.text_ == b.text_; }
  friend bool operator!=(const CefString& a, const CefString& b) { return a.text_ != b.text_; }
  friend bool operator<(const CefString& a, const CefString& b) { return a.text_ < b.text_; }

 private:
  std::u16string text_;
};
