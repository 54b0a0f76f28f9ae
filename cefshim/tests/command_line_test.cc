// Switch parsing of CefCommandLine, as CEF does it on Linux.
#include <gtest/gtest.h>

#include <vector>

#include "cef_command_line.h"
#include "cef_string_printer.h"

namespace {

CefRefPtr<CefCommandLine> Parse(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "/usr/bin/program");
  CefRefPtr<CefCommandLine> command_line = CefCommandLine::CreateCommandLine();
  command_line->InitFromArgv(static_cast<int>(arguments.size()), arguments.data());
  return command_line;
}

TEST(CommandLineTest, SwitchForms) {
  CefRefPtr<CefCommandLine> line = Parse({"--type=renderer", "-lang=fr", "--flag", "--empty=", "plain", "-"});
  EXPECT_EQ(line->GetSwitchValue("type"), CefString("renderer"));
  EXPECT_EQ(line->GetSwitchValue("lang"), CefString("fr"));
  EXPECT_TRUE(line->HasSwitch("flag"));
  EXPECT_TRUE(line->GetSwitchValue("flag").empty());
  EXPECT_TRUE(line->HasSwitch("empty"));
  EXPECT_FALSE(line->HasSwitch("plain"));
  EXPECT_FALSE(line->HasSwitch(""));
  EXPECT_FALSE(line->HasSwitch("missing"));
  EXPECT_TRUE(line->GetSwitchValue("missing").empty());
}

TEST(CommandLineTest, ValueKeepsLaterEqualsSigns) {
  EXPECT_EQ(Parse({"--url=a=b"})->GetSwitchValue("url"), CefString("a=b"));
}

TEST(CommandLineTest, NamesCompareExactly) {
  CefRefPtr<CefCommandLine> line = Parse({"--Type=renderer"});
  EXPECT_FALSE(line->HasSwitch("type"));
  EXPECT_TRUE(line->HasSwitch("Type"));
}

TEST(CommandLineTest, LaterDuplicateWins) {
  EXPECT_EQ(Parse({"--type=gpu", "--type=renderer"})->GetSwitchValue("type"), CefString("renderer"));
  EXPECT_TRUE(Parse({"--type=gpu", "--type"})->GetSwitchValue("type").empty());
}

TEST(CommandLineTest, DoubleDashEndsTheSwitches) {
  CefRefPtr<CefCommandLine> line = Parse({"--a=1", "--", "--type=renderer"});
  EXPECT_TRUE(line->HasSwitch("a"));
  EXPECT_FALSE(line->HasSwitch("type"));
}

TEST(CommandLineTest, InitReplacesEarlierSwitchesAndReadsUtf8) {
  CefRefPtr<CefCommandLine> line = Parse({"--old"});
  const char* arguments[] = {"program", "--name=\xC3\xA9t\xC3\xA9"};
  line->InitFromArgv(2, arguments);
  EXPECT_FALSE(line->HasSwitch("old"));
  EXPECT_EQ(line->GetSwitchValue("name").ToString16(), u"\u00E9t\u00E9");
}

}  // namespace
