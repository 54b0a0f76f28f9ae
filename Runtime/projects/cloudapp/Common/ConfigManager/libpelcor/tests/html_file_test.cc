// Replacing the title of HTML pages through the loaded library, in each
// encoding a page may have.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "owned_object.h"
#include "pelcor_library.h"
#include "platform/files.h"
#include "testing/temp_dir.h"

namespace pelcor_test {
namespace {

// The UTF-16 bytes of ASCII or Latin-1 text, in either byte order.
std::string Utf16Bytes(const std::string& latin1, bool big_endian) {
  std::string bytes;
  for (const char c : latin1) {
    bytes += big_endian ? std::string(1, '\0') + c : std::string(1, c) + '\0';
  }
  return bytes;
}

class HtmlFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(manager_, nullptr);
    ASSERT_NE(html_, nullptr);
  }

  // Writes the page, sets the title and gives SetTitle's result; the page's
  // bytes afterwards are in `after`.
  bool Retitle(const std::string& page, const char16_t* title, std::string& after) {
    dir_.Write(u"page.html", page);
    const bool result = html_->SetTitle(dir_.File(u"page.html").c_str(), title);
    after = dir_.Read(u"page.html").value_or("<unreadable>");
    return result;
  }

  ManagerPtr manager_ = NewManager();
  Owned<IHtmlFile> html_{manager_ != nullptr ? manager_->CreateHtmlFile() : nullptr};
  lumarine_testing::TempDir dir_;
};

TEST_F(HtmlFileTest, EachEncodingKeepsItsMarkAndForm) {
  std::string after;
  ASSERT_TRUE(Retitle("<html><title>Old</title></html>", u"Caf\u00e9", after));
  EXPECT_EQ(after, "<html><title>Caf\xC3\xA9</title></html>");
  ASSERT_TRUE(Retitle("\xEF\xBB\xBF<title>\xC3\xA9</title>", u"\u4e2d", after));
  EXPECT_EQ(after, "\xEF\xBB\xBF<title>\xE4\xB8\xAD</title>");
  ASSERT_TRUE(Retitle("\xFF\xFE" + Utf16Bytes("<title>a</title>", false), u"bc", after));
  EXPECT_EQ(after, "\xFF\xFE" + Utf16Bytes("<title>bc</title>", false));
  ASSERT_TRUE(Retitle("\xFE\xFF" + Utf16Bytes("<p><title>a</title>", true), u"\u00e9", after));
  EXPECT_EQ(after, "\xFE\xFF" + Utf16Bytes("<p><title>\xE9</title>", true));
  // A page that is not UTF-8 is Windows-1252 and stays so.
  ASSERT_TRUE(Retitle("<title>\xE9t\xE9</title>\x80", u"\u20ac", after));
  EXPECT_EQ(after, "<title>\x80</title>\x80");
}

TEST_F(HtmlFileTest, EveryCopyOfTheFirstTitleElementIsReplaced) {
  std::string after;
  ASSERT_TRUE(Retitle("<title>A</title><title>A</title><title>B</title><title>A</title>", u"A<title>A</title>", after));
  EXPECT_EQ(after,
            "<title>A<title>A</title></title><title>A<title>A</title></title><title>B</title>"
            "<title>A<title>A</title></title>");
  // A zero character is part of the page; nothing after it is lost.
  const std::string with_nul("<title>x</title>\0tail<title>x</title>", 37);
  ASSERT_TRUE(Retitle(with_nul, u"y", after));
  EXPECT_EQ(after, std::string("<title>y</title>\0tail<title>y</title>", 37));
}

TEST_F(HtmlFileTest, PagesWithoutAMatchingTitleAreLeftAlone) {
  const char16_t* kNew = u"New";
  std::string after;
  const std::string pages[] = {"<TITLE>Old</TITLE>", "<title>Old", "</title><title>Old", "<title>New</title>",
                               "\xFE\xFF" + Utf16Bytes("<TITLE>x</TITLE>", true)};
  for (const std::string& page : pages) {
    EXPECT_TRUE(Retitle(page, kNew, after)) << page;
    EXPECT_EQ(after, page);
  }
  // Needing no write, even a read-only page succeeds.
  dir_.Write(u"page.html", "<title>New</title>");
  ASSERT_EQ(::chmod(platform::NativePath(dir_.File(u"page.html")).c_str(), 0444), 0);
  EXPECT_TRUE(html_->SetTitle(dir_.File(u"page.html").c_str(), kNew));
  EXPECT_FALSE(html_->SetTitle(dir_.File(u"page.html").c_str(), u"Other"));
  EXPECT_EQ(dir_.Read(u"page.html"), "<title>New</title>");
}

TEST_F(HtmlFileTest, PagesThatCannotBeHandledFailUnchanged) {
  std::string after;
  const std::string utf32("\xFF\xFE\0\0<\0\0\0", 8);
  EXPECT_FALSE(Retitle(utf32, u"x", after));
  EXPECT_EQ(after, utf32);
  EXPECT_FALSE(Retitle(std::string("\0\0\xFE\xFF", 4), u"x", after));
  EXPECT_FALSE(Retitle("", u"x", after));
  // Bytes that would not survive a rewrite, or a title the page's encoding
  // cannot hold.
  EXPECT_FALSE(Retitle("\xEF\xBB\xBF<title>\xFF</title>", u"x", after));
  EXPECT_FALSE(Retitle("\xFF\xFE<\0t", u"x", after));
  EXPECT_FALSE(Retitle("<title>\xE9</title>", u"\u4e2d", after));
  EXPECT_EQ(after, "<title>\xE9</title>");
  EXPECT_FALSE(Retitle("<title>a</title>", u"\xD800", after));
  EXPECT_EQ(after, "<title>a</title>");
  EXPECT_FALSE(Retitle("<title>a</title>", nullptr, after));
  EXPECT_FALSE(html_->SetTitle(dir_.File(u"missing.html").c_str(), u"x"));
  EXPECT_FALSE(html_->SetTitle(nullptr, u"x"));
  EXPECT_FALSE(html_->SetTitle(u"", u"x"));
  EXPECT_FALSE(platform::PathExists(dir_.File(u"missing.html")));
}

}  // namespace
}  // namespace pelcor_test
