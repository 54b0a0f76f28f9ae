// Error objects: code packing, the ten messages in both languages,
// formatting, copying, and the library's text conversions.
#include <gtest/gtest.h>

#include <curl/curl.h>

#include "messages.h"
#include "platform/unicode.h"
#include "testing/scoped_env.h"
#include "text_conversion.h"
#include "zor_error.h"

namespace {

using lumarine_testing::ScopedEnv;

std::string Utf8(const char16_t* text) { return platform::Utf16ToUtf8(text); }

struct Message {
  unsigned number;
  const char* english;
  const char* chinese;
};

const Message kMessages[] = {
    {101, "Initialization failed.", "初始化失败"},
    {102, "Operation timed out.", "操作超时"},
    {103, "%s.(curl error code: %d) ", "%s。(curl 错误代码： %d)"},
    {104, "Runtime error. (error code:%d)", "运行时错误。（错误代码：%d）"},
    {105, "Operation is cancelled.", "操作已取消"},
    {106, "HTTP error.(error code: %d)", "HTTP错误。（错误代码：%d）"},
    {107, "Failed to initialize the downloaded template.", "初始化下载模块失败"},
    {108, "Failed to get time from the server or the server is unsupported.", "获取服务器时间失败或服务器不支持"},
    {109, "The download service is shut down; reload the library to download again.",
     "下载服务已关闭，重新加载库后才能下载"},
    {110, "The file was removed or replaced while downloading.", "文件在下载期间被删除或替换"},
};

TEST(ErrorMessages, EveryTextInBothLanguagesByteForByte) {
  {
    ScopedEnv lang("LUMARINE_LANG", "en_US.UTF-8");
    for (const Message& m : kMessages) EXPECT_EQ(platform::Utf16ToUtf8(LoadMessageText(m.number)), m.english);
  }
  {
    ScopedEnv lang("LUMARINE_LANG", "zh_CN.UTF-8");
    for (const Message& m : kMessages) EXPECT_EQ(platform::Utf16ToUtf8(LoadMessageText(m.number)), m.chinese);
  }
  EXPECT_TRUE(LoadMessageText(100).empty());
  EXPECT_TRUE(LoadMessageText(111).empty());
}

TEST(ErrorMessages, LanguageFollowsTheEnvironmentInOrder) {
  ScopedEnv lumarine("LUMARINE_LANG", std::nullopt);
  ScopedEnv all("LC_ALL", std::nullopt);
  ScopedEnv messages("LC_MESSAGES", std::nullopt);
  ScopedEnv lang("LANG", "zh_TW.UTF-8");
  EXPECT_EQ(platform::Utf16ToUtf8(LoadMessageText(105)), "操作已取消");
  {
    ScopedEnv over("LC_MESSAGES", "C");
    EXPECT_EQ(platform::Utf16ToUtf8(LoadMessageText(105)), "Operation is cancelled.");
    ScopedEnv top("LUMARINE_LANG", "zh");
    EXPECT_EQ(platform::Utf16ToUtf8(LoadMessageText(105)), "操作已取消");
  }
}

TEST(ErrorObject, FreshObjectsReadAsSuccess) {
  for (CZorError error : {CZorError(), CZorError::CustomSuccess()}) {
    EXPECT_TRUE(error.IsSuccess());
    EXPECT_EQ(error.GetErrorCode(), 0u);
    EXPECT_EQ(Utf8(error.GetErrorText()), "");
    EXPECT_EQ(error.GetMessageId(), 0);
    EXPECT_EQ(error.GetDetailCode(), 0);
  }
}

TEST(ErrorObject, CodesPackMessageAndDetail) {
  ScopedEnv lang("LUMARINE_LANG", "en");
  CZorError http;
  http.RecordHttp(404);
  EXPECT_FALSE(http.IsSuccess());
  EXPECT_EQ(http.GetErrorCode(), (106ull << 32) + 404);
  EXPECT_EQ(http.GetMessageId(), 106);
  EXPECT_EQ(http.GetDetailCode(), 404);
  EXPECT_EQ(Utf8(http.GetErrorText()), "HTTP error.(error code: 404)");

  CZorError timeout;
  timeout.RecordCustom(102);
  EXPECT_EQ(timeout.GetErrorCode(), 102ull << 32);
  EXPECT_EQ(timeout.GetDetailCode(), 0);
  EXPECT_EQ(Utf8(timeout.GetErrorText()), "Operation timed out.");

  // A zero detail skips formatting, so the placeholder stays.
  CZorError runtime;
  runtime.RecordRuntime(0);
  EXPECT_EQ(Utf8(runtime.GetErrorText()), "Runtime error. (error code:%d)");
  runtime.RecordRuntime(13);
  EXPECT_EQ(Utf8(runtime.GetErrorText()), "Runtime error. (error code:13)");
}

TEST(ErrorObject, CurlErrorsBeginWithLibcurlsDescription) {
  CZorError curl;
  curl.RecordCurl(CURLE_COULDNT_CONNECT);
  EXPECT_EQ(curl.GetErrorCode(), (103ull << 32) + 7);
  {
    ScopedEnv lang("LUMARINE_LANG", "en");
    EXPECT_EQ(Utf8(curl.GetErrorText()), std::string(curl_easy_strerror(CURLE_COULDNT_CONNECT)) + ".(curl error code: 7) ");
  }
  {
    ScopedEnv lang("LUMARINE_LANG", "zh_CN");
    EXPECT_EQ(Utf8(curl.GetErrorText()), std::string(curl_easy_strerror(CURLE_COULDNT_CONNECT)) + "。(curl 错误代码： 7)");
  }
}

TEST(ErrorObject, AssignmentCopiesFailuresAndKeepsSuccesses) {
  CZorError failed;
  failed.RecordHttp(500);
  CZorError target;
  target = failed;
  EXPECT_EQ(target.GetErrorCode(), failed.GetErrorCode());
  failed.RecordCustom(105);  // the copy is independent
  EXPECT_EQ(target.GetMessageId(), 106);

  target = CZorError::CustomSuccess();
  EXPECT_TRUE(target.IsSuccess());
  EXPECT_EQ(target.GetMessageId(), 0);
  const CZorError& same = target;
  target = same;  // self-assignment changes nothing
  EXPECT_TRUE(target.IsSuccess());

  CZorError copy(failed);
  EXPECT_EQ(copy.GetMessageId(), 105);
}

TEST(TextConversion, Utf8IsStrictAndTheOthersNeverFail) {
  EXPECT_EQ(ToUtf8(u"a\u00e9\u4e2d\U0001F600"), "a\xc3\xa9\xe4\xb8\xad\xf0\x9f\x98\x80");
  EXPECT_EQ(ToUtf8(platform::WString(u"ok\xD800")), "");  // lone surrogate
  EXPECT_EQ(ToMultiByte(u"proxy.\u4e2d:8080"), "proxy.\xe4\xb8\xad:8080");
  EXPECT_EQ(ToMultiByte(nullptr), "");
  EXPECT_EQ(ToMultiByte(u"x\xDC00"), "x\xef\xbf\xbd");
  EXPECT_EQ(ToWide("Sun, 06 Nov 1994 \xe4\xb8\xad"), u"Sun, 06 Nov 1994 \u4e2d");
  EXPECT_EQ(ToWide("bad\xff"), u"bad\uFFFD");
  EXPECT_EQ(ToWide(nullptr), u"");
}

}  // namespace
