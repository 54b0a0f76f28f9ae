// Preparing URLs for libcurl: escaping, kept ports and queries, refused
// schemes, and hostile input.
#include <gtest/gtest.h>

#include <cctype>

#include "platform/unicode.h"
#include "request_url.h"

namespace {

struct Case {
  const char* in;
  const char* url;
  const char* host;
};

TEST(RequestUrl, ParsedUrlsAreEscapedAndKeepPortAndQuery) {
  const Case cases[] = {
      {"http://h/a/b.bin", "http://h/a/b.bin", "h"},
      {"http://h/a b/c.bin", "http://h/a%20b/c.bin", "h"},
      {"  http://h:8080/x?q=1 2&r=%41  ", "http://h:8080/x?q=1%202&r=%41", "h"},
      {"http://h:80/x", "http://h/x", "h"},
      {"https://h:443/x", "https://h/x", "h"},
      {"http://h:443/x", "http://h:443/x", "h"},  // only the scheme's own port is dropped
      {"http://h/100%/x#frag", "http://h/100%25/x", "h"},
      {"http://h/dir/", "http://h/dir/", "h"},
      {"HTTP://Files.Test/page.html", "http://Files.Test/page.html", "Files.Test"},
      {"http://h/\xe4\xb8\xad\"<>", "http://h/%E4%B8%AD%22%3C%3E", "h"},
  };
  for (const Case& c : cases) {
    const RequestUrl prepared = PrepareRequestUrl(platform::Utf8ToUtf16(c.in));
    std::string lowered = prepared.url, expected = c.url;
    for (std::string* s : {&lowered, &expected}) {
      for (char& ch : *s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    }
    EXPECT_EQ(lowered, expected) << c.in;  // escapes and scheme compare without case
    EXPECT_EQ(platform::Utf16ToUtf8(prepared.host), c.host) << c.in;
  }
  EXPECT_TRUE(PrepareRequestUrl(u"https://h/x").https);
  EXPECT_FALSE(PrepareRequestUrl(u"http://h/x").https);
}

TEST(RequestUrl, OtherTextPassesUnchangedWithoutHost) {
  for (const char* text : {"ftp://h/x", "h/x", "", "http://", "file:///etc/passwd"}) {
    const RequestUrl prepared = PrepareRequestUrl(platform::Utf8ToUtf16(text));
    EXPECT_EQ(prepared.url, text);
    EXPECT_TRUE(prepared.host.empty()) << text;
    EXPECT_FALSE(prepared.https);
  }
  // A lone surrogate cannot become UTF-8: the URL is empty and refused later.
  EXPECT_EQ(PrepareRequestUrl(platform::WString(u"http://h/\xD800")).url, "");
}

TEST(RequestUrl, LongHostileUrlsAreHandled) {
  const std::string path(200000, 'a');
  const RequestUrl prepared = PrepareRequestUrl(platform::Utf8ToUtf16("http://h/" + path + " ?" + path));
  EXPECT_EQ(prepared.url.size(), 9 + path.size() + 3 + 1 + path.size());
  EXPECT_EQ(EscapeRequestTarget("%zz%4"), "%25zz%254");
  EXPECT_EQ(EscapeRequestTarget("%41%4a"), "%41%4a");
  EXPECT_EQ(EscapeRequestTarget(std::string("\x01\x7f", 2)), "%01%7F");
}

}  // namespace
