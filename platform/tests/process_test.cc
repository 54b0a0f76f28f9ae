#include <gtest/gtest.h>
#include <unistd.h>

#include <ctime>

#include <thread>
#include <vector>

#include "platform/message_box.h"
#include "platform/module.h"
#include "platform/process.h"
#include "platform/string_resources.h"
#include "platform/unicode.h"
#include "testing/library_under_test.h"
#include "testing/scoped_env.h"
#include "testing/temp_dir.h"

namespace platform {
namespace {

using lumarine_testing::ScopedEnv;

TEST(Process, EnvironmentInUtf16) {
  ScopedEnv restore("LUMARINE_PLATFORM_TEST", std::nullopt);
  EXPECT_FALSE(GetEnvironmentVariable(u"LUMARINE_PLATFORM_TEST").has_value());
  ASSERT_TRUE(SetEnvironmentVariable(u"LUMARINE_PLATFORM_TEST", WString(u"\u4E2D;\U0001F600")));
  EXPECT_STREQ(std::getenv("LUMARINE_PLATFORM_TEST"), "\xE4\xB8\xAD;\xF0\x9F\x98\x80");
  EXPECT_EQ(GetEnvironmentVariable(u"LUMARINE_PLATFORM_TEST"), u"\u4E2D;\U0001F600");
  ASSERT_TRUE(SetEnvironmentVariable(u"LUMARINE_PLATFORM_TEST", WString()));
  EXPECT_EQ(GetEnvironmentVariable(u"LUMARINE_PLATFORM_TEST"), u"");  // set but empty
  ASSERT_TRUE(SetEnvironmentVariable(u"LUMARINE_PLATFORM_TEST", std::nullopt));
  EXPECT_FALSE(GetEnvironmentVariable(u"LUMARINE_PLATFORM_TEST").has_value());
  EXPECT_FALSE(SetEnvironmentVariable(u"A=B", WString(u"x")));
  EXPECT_FALSE(SetEnvironmentVariable(u"", WString(u"x")));
  EXPECT_FALSE(SetEnvironmentVariable(u"LUMARINE_PLATFORM_TEST", WString(u"a\0b", 3)));
  EXPECT_FALSE(GetEnvironmentVariable(u"LUMARINE_PLATFORM_TEST").has_value());
}

TEST(Process, ExecutableProcessorsAndClock) {
  char self[4096];
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self);
  ASSERT_GT(n, 0);
  EXPECT_EQ(ExecutablePath(), Utf8ToUtf16(std::string(self, static_cast<std::size_t>(n))));
  EXPECT_GE(ProcessorCount(), 1u);
  EXPECT_LE(ProcessorCount(), std::thread::hardware_concurrency() > 0 ? std::thread::hardware_concurrency() : 1u);
  // The tick counts read CLOCK_MONOTONIC in milliseconds.
  const auto monotonic_ms = [] {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000 + static_cast<std::uint64_t>(now.tv_nsec) / 1000000;
  };
  const std::uint64_t before = monotonic_ms();
  const std::uint64_t ticks = TickCount64();
  const std::uint32_t low = TickCount();
  const std::uint64_t after = monotonic_ms();
  EXPECT_LE(before, ticks);
  EXPECT_LE(ticks, after);
  // Modular arithmetic: correct across the 32-bit wrap.
  EXPECT_LE(static_cast<std::uint32_t>(low - static_cast<std::uint32_t>(before)),
            static_cast<std::uint32_t>(after - before));
}

TEST(Module, LoadsBindsAndExplainsFailures) {
  lumarine_testing::LibraryUnderTest library("libplatform_test_module.so");
  ASSERT_TRUE(library.loaded());
  auto answer = library.Bind<int (*)()>("PlatformTestAnswer");
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);

  std::string error;
  EXPECT_EQ(Module::Load(u"/nonexistent/libnothing.so", &error), nullptr);
  EXPECT_NE(error.find("libnothing.so"), std::string::npos) << error;
  error.clear();
  EXPECT_EQ(Module::Load(u"", &error), nullptr);
  EXPECT_FALSE(error.empty());

  const std::string path = lumarine_testing::BinaryDir() + "/libplatform_test_module.so";
  auto module = Module::Load(Utf8ToUtf16(path), &error);
  ASSERT_NE(module, nullptr) << error;
  error.clear();
  EXPECT_EQ(module->Symbol("NoSuchExport", &error), nullptr);
  EXPECT_NE(error.find("NoSuchExport"), std::string::npos) << error;
  EXPECT_EQ(module->Function<int (*)()>("PlatformTestAnswer")(), 42);

  // A file that is not a library is refused with the loader's reason.
  lumarine_testing::TempDir dir;
  ASSERT_TRUE(dir.Write(u"libfake.so", "not an ELF file"));
  error.clear();
  EXPECT_EQ(Module::Load(dir.File(u"libfake.so"), &error), nullptr);
  EXPECT_NE(error.find("libfake.so"), std::string::npos) << error;
}

TEST(MessageBox, OneLinePerBoxEvenFromManyThreads) {
  lumarine_testing::TempDir dir;
  const std::string file = dir.native_path() + "/stderr";
  std::fflush(stderr);
  const int saved = ::dup(STDERR_FILENO);
  FILE* capture = std::fopen(file.c_str(), "w");
  ASSERT_NE(capture, nullptr);
  ::dup2(::fileno(capture), STDERR_FILENO);
  ShowMessageBox(u"Error", u"Runtime path not exist, path: /opt/\u4E2D!");
  ShowMessageBox(u"Json", u"line one\r\nline two\nthree");
  std::vector<std::thread> threads;
  const std::string long_text(3000, 'x');
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 50; ++i) ShowMessageBox(u"T", Utf8ToUtf16(long_text));
    });
  }
  for (auto& thread : threads) thread.join();
  ::dup2(saved, STDERR_FILENO);
  ::close(saved);
  std::fclose(capture);

  const std::string out = *dir.Read(u"stderr");
  std::vector<std::string> lines;
  for (std::size_t pos = 0; pos < out.size();) {
    const std::size_t end = out.find('\n', pos);
    ASSERT_NE(end, std::string::npos);
    lines.push_back(out.substr(pos, end - pos));
    pos = end + 1;
  }
  ASSERT_EQ(lines.size(), 2u + 8 * 50);
  EXPECT_EQ(lines[0], "Error: Runtime path not exist, path: /opt/\xE4\xB8\xAD!");
  EXPECT_EQ(lines[1], "Json: line one line two three");
  for (std::size_t i = 2; i < lines.size(); ++i) ASSERT_EQ(lines[i], "T: " + long_text);
}

const StringResource kTable[] = {
    {101, u"Unknown error.", u"\u672A\u77E5\u9519\u8BEF\u3002"},
    {102, u"Time out.", nullptr},
};

TEST(StringResources, LanguageComesFromTheFirstSetVariable) {
  ScopedEnv lumarine("LUMARINE_LANG", std::nullopt);
  ScopedEnv all("LC_ALL", "");  // empty counts as unset
  ScopedEnv messages("LC_MESSAGES", "zh_TW");
  ScopedEnv lang("LANG", "en_US.UTF-8");
  EXPECT_EQ(LoadStringResource(kTable, 101), u"\u672A\u77E5\u9519\u8BEF\u3002");
  EXPECT_EQ(LoadStringResource(kTable, 102), u"Time out.");  // no Chinese text: English
  EXPECT_EQ(LoadStringResource(kTable, 999), u"");
  EXPECT_EQ(LoadStringResource(nullptr, 0, 101), u"");
  ScopedEnv override_en("LUMARINE_LANG", "C");
  EXPECT_EQ(CurrentUiLanguage(), UiLanguage::kEnglish);
  EXPECT_EQ(LoadStringResource(kTable, 101), u"Unknown error.");
}

}  // namespace
}  // namespace platform
