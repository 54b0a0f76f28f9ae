#include "messages.h"

#include "platform/string_resources.h"

namespace {

// Ids and texts are fixed: callers compare them. The English 103 text ends
// with a blank.
const platform::StringResource kMessages[] = {
    {101, u"Initialization failed.", u"初始化失败"},
    {102, u"Operation timed out.", u"操作超时"},
    {103, u"%s.(curl error code: %d) ", u"%s。(curl 错误代码： %d)"},
    {104, u"Runtime error. (error code:%d)", u"运行时错误。（错误代码：%d）"},
    {105, u"Operation is cancelled.", u"操作已取消"},
    {106, u"HTTP error.(error code: %d)", u"HTTP错误。（错误代码：%d）"},
    {107, u"Failed to initialize the downloaded template.", u"初始化下载模块失败"},
    {108, u"Failed to get time from the server or the server is unsupported.", u"获取服务器时间失败或服务器不支持"},
    {109, u"The download service is shut down; reload the library to download again.",
     u"下载服务已关闭，重新加载库后才能下载"},
    {110, u"The file was removed or replaced while downloading.", u"文件在下载期间被删除或替换"},
};

}  // namespace

platform::WString LoadMessageText(unsigned messageNumber) {
  return platform::LoadStringResource(kMessages, messageNumber);
}
