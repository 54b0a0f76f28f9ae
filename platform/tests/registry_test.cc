#include <gtest/gtest.h>

#include <algorithm>

#include "platform/registry.h"
#include "platform/unicode.h"
#include "testing/fifo_open_watch.h"
#include "testing/scoped_env.h"
#include "testing/temp_dir.h"

namespace platform {
namespace {

using lumarine_testing::ScopedEnv;
using lumarine_testing::TempDir;

constexpr char kHeader[] = "Windows Registry Editor Version 5.00\r\n\r\n";

RegistryData Parse(std::string_view bytes) {
  RegistryData data;
  ParseRegFile(bytes, data);
  return data;
}

// The values of one key of parsed data; empty when the key is absent.
RegistryKey KeyOf(const RegistryData& data, const WString& key) {
  const auto it = data.find(key);
  return RegistryKey(it == data.end() ? RegistryValues() : it->second);
}

std::string Utf16LeWithBom(const std::string& utf8) {
  std::string bytes = "\xFF\xFE";
  for (WChar c : Utf8ToUtf16(utf8)) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

const char kSample[] =
    "[HKEY_LOCAL_MACHINE\\Software\\Corvana\\Lumarine Runtime]\r\n"
    "\"RuntimeVersion\"=\"22.0.0.1001,22.0.0.1002,\"\r\n"
    "@=\"default \xE4\xB8\xAD\"\r\n"
    "\"Count\"=dword:0000002A\r\n"
    "\"Path\"=hex(2):25,00,41,00,25,00,00,00\r\n"
    "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
    "\"Blob\"=hex:de,ad,BE,ef\r\n"
    "\"Big\"=hex(b):01,00,00,00,00,00,00,00\r\n";

TEST(RegFile, ReadsEveryValueKind) {
  const RegistryData data = Parse(std::string(kHeader) + kSample);
  const RegistryKey key = KeyOf(data, u"hkey_local_machine\\SOFTWARE\\corvana\\lumarine runtime");
  EXPECT_EQ(key.ReadString(u"runtimeversion"), u"22.0.0.1001,22.0.0.1002,");
  EXPECT_EQ(key.ReadString(u""), u"default \u4E2D");
  EXPECT_EQ(key.ReadValue(u"")->data, std::string("d\0e\0f\0a\0u\0l\0t\0 \0\x2D\x4E\0\0", 20));
  EXPECT_EQ(key.ReadDword(u"COUNT"), 42u);
  EXPECT_EQ(key.ReadString(u"Path"), u"%A%");  // not expanded
  EXPECT_EQ(key.ReadValue(u"Path")->type, RegistryValueType::kExpandString);
  EXPECT_EQ(key.ReadValue(u"Multi")->type, RegistryValueType::kMultiString);
  EXPECT_EQ(key.ReadValue(u"Multi")->data, std::string("a\0\0\0b\0\0\0\0\0", 10));
  EXPECT_EQ(key.ReadValue(u"Blob")->data, "\xDE\xAD\xBE\xEF");
  EXPECT_EQ(key.ReadValue(u"Blob")->type, RegistryValueType::kBinary);
  EXPECT_EQ(key.ReadValue(u"Big")->type, RegistryValueType::kQword);
  // Typed readers refuse other types.
  EXPECT_FALSE(key.ReadDword(u"Blob").has_value());
  EXPECT_FALSE(key.ReadString(u"Count").has_value());
  EXPECT_FALSE(key.ReadString(u"Multi").has_value());
  EXPECT_FALSE(key.ReadValue(u"absent").has_value());
}

TEST(RegFile, BothEncodingsAndLineEndsGiveTheSameData) {
  const std::string text = std::string(kHeader) + kSample;
  std::string lf = text;
  lf.erase(std::remove(lf.begin(), lf.end(), '\r'), lf.end());
  std::string cr = lf;
  std::replace(cr.begin(), cr.end(), '\n', '\r');
  const RegistryData expected = Parse(text);
  ASSERT_EQ(expected.size(), 1u);
  ASSERT_EQ(expected.begin()->second.size(), 7u);
  for (const std::string& variant : {"\xEF\xBB\xBF" + text, Utf16LeWithBom(text), lf, cr}) {
    const RegistryData data = Parse(variant);
    ASSERT_EQ(data.size(), 1u);
    const RegistryValues& values = data.begin()->second;
    ASSERT_EQ(values.size(), 7u);
    for (const auto& [name, value] : expected.begin()->second) {
      EXPECT_EQ(values.at(name).data, value.data) << Utf16ToUtf8(name);
      EXPECT_EQ(values.at(name).type, value.type);
    }
  }
}

TEST(RegFile, EscapesInNamesAndText) {
  const RegistryData data = Parse(std::string(kHeader) +
                                  "[HKEY_CURRENT_USER\\X]\n"
                                  "\"C:\\\\dir\\\\\"=\"a \\\"quoted\\\" \\\\ text\"\n"  // "C:\\dir\\"="a \"quoted\" \\ text"
                                  "\"odd\"=\"\\n\\t\\x\"\n"                            // unknown escapes stay
                                  "\"eq = sign\" = \"=\"\n"                            // blanks around =
                                  "\"unterminated\"=\"abc\n"
                                  "\"trailing\"=\"abc\" junk\n"
                                  "\"empty\"=\"\"\n");
  const RegistryKey key = KeyOf(data, u"HKEY_CURRENT_USER\\X");
  EXPECT_EQ(key.ReadString(u"c:\\dir\\"), u"a \"quoted\" \\ text");
  EXPECT_EQ(key.ReadString(u"odd"), u"\\n\\t\\x");
  EXPECT_EQ(key.ReadString(u"eq = sign"), u"=");
  EXPECT_FALSE(key.ReadValue(u"unterminated").has_value());
  EXPECT_FALSE(key.ReadValue(u"trailing").has_value());
  EXPECT_EQ(key.ReadString(u"empty"), u"");
}

TEST(RegFile, ContinuationLinesAndComments) {
  const RegistryData data = Parse(std::string(kHeader) +
                                  "; a comment \\\n"
                                  "[HKEY_CURRENT_USER\\X]\n"
                                  "\"Bin\"=hex:01,02,\\\n"
                                  "  03,04,\\  \n"
                                  "\t05\n"
                                  "   ; indented comment\n"
                                  "\"Str\"=hex(2):41,00,\\\r\n"
                                  "  00,00\r\n"
                                  "\"Trailing\"=hex:0a,\n");
  const RegistryKey key = KeyOf(data, u"HKEY_CURRENT_USER\\X");
  EXPECT_EQ(key.ReadValue(u"Bin")->data, "\x01\x02\x03\x04\x05");
  EXPECT_EQ(key.ReadString(u"Str"), u"A");
  EXPECT_EQ(key.ReadValue(u"Trailing")->data, "\n");
  EXPECT_EQ(data.size(), 1u);
}

TEST(RegFile, DuplicatesMergeAndLaterValuesWin) {
  const RegistryData data = Parse(std::string(kHeader) +
                                  "[HKEY_CURRENT_USER\\Dup]\n\"a\"=\"1\"\n\"B\"=\"1\"\n"
                                  "[hkey_current_user\\DUP]\n\"A\"=\"2\"\n\"c\"=dword:3\n"
                                  "[HKEY_CURRENT_USER\\Dup]\n\"b\"=-\n\"a\"=\"3\"\n");
  ASSERT_EQ(data.size(), 1u);
  const RegistryKey key = KeyOf(data, u"HKEY_CURRENT_USER\\dup");
  EXPECT_EQ(key.ReadString(u"a"), u"3");
  EXPECT_FALSE(key.ReadValue(u"B").has_value());
  EXPECT_EQ(key.ReadDword(u"C"), 3u);
}

TEST(RegFile, KeyDeletionRemovesTheWholeTree) {
  RegistryData data = Parse(std::string(kHeader) +
                            "[HKEY_CURRENT_USER\\A]\n\"v\"=\"1\"\n"
                            "[HKEY_CURRENT_USER\\A\\B]\n\"v\"=\"2\"\n"
                            "[HKEY_CURRENT_USER\\AB]\n\"v\"=\"3\"\n");
  ParseRegFile("REGEDIT4\n[-hkey_current_user\\a]\n\"v\"=\"ignored\"\n", data);
  ASSERT_EQ(data.size(), 1u);
  EXPECT_EQ(data.begin()->first, u"HKEY_CURRENT_USER\\AB");
}

TEST(RegFile, MalformedLinesAreSkipped) {
  const RegistryData data = Parse(
      "\"before\"=\"no section\"\n"
      "[\n"
      "[]\n"
      "\"lost\"=\"after a broken section line\"\n"
      "[HKEY_CURRENT_USER\\M]\n"
      "\"d1\"=dword:123456789\n"   // nine digits
      "\"d2\"=dword:\n"
      "\"d3\"=dword:xyz\n"
      "\"h1\"=hex:1,zz\n"
      "\"h2\"=hex:123\n"
      "\"h3\"=hex(:00\n"
      "\"h4\"=hex(2\n"
      "\"n1\"=\n"
      "\"n2\" \"x\"\n"
      "novalue\n"
      "\"ok\"=dword:ffffffff\n"
      "\"zero\"=hex(0):\n");
  ASSERT_EQ(data.size(), 1u);
  const RegistryValues& values = data.begin()->second;
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(RegistryKey(values).ReadDword(u"ok"), 0xFFFFFFFFu);
  EXPECT_EQ(values.at(u"zero").type, RegistryValueType::kNone);
  EXPECT_TRUE(values.at(u"zero").data.empty());
}

TEST(RegFile, OldFormatStringsAreAnsi) {
  // Not UTF-8: the text is Windows-1252; REGEDIT4 hex(2) data is ANSI too.
  const RegistryData data = Parse("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Old]\r\n\"caf\xE9\"=\"\x80\"\r\n"
                                  "\"x\"=hex(2):41,e9,00\r\n");
  const RegistryKey key = KeyOf(data, u"HKEY_CURRENT_USER\\Old");
  EXPECT_EQ(key.ReadString(u"caf\u00E9"), u"\u20AC");
  EXPECT_EQ(key.ReadString(u"x"), u"A\u00E9");
}

class RegistryFiles : public testing::Test {
 protected:
  void WriteRegistry(const std::string& relative, const std::string& body) {
    ASSERT_TRUE(dir_.Write(Utf8ToUtf16(relative), std::string(kHeader) + body));
  }
  std::string Native(const std::string& relative) const { return dir_.native_path() + "/" + relative; }
  // A string value of a key opened now; nullopt when the key or value is absent.
  static std::optional<WString> ReadString(RegistryHive hive, WStringView key, WStringView name) {
    const auto opened = RegistryKey::Open(hive, key);
    return opened ? opened->ReadString(name) : std::nullopt;
  }

  TempDir dir_;
  ScopedEnv registry_{"LUMARINE_REGISTRY", std::nullopt};
  ScopedEnv config_{"XDG_CONFIG_HOME", std::nullopt};
  ScopedEnv home_{"HOME", std::nullopt};
};

TEST_F(RegistryFiles, OneFileHoldsBothHives) {
  WriteRegistry("all.reg",
                "[HKEY_LOCAL_MACHINE\\Software\\Corvana\\Lumarine\\22.0]\n\"Location\"=\"/opt/l\"\n"
                "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings]\n"
                "\"ProxyEnable\"=dword:00000001\n");
  WriteRegistry("config/lumarine/registry.reg", "[HKEY_CURRENT_USER\\Other]\n");
  ScopedEnv registry("LUMARINE_REGISTRY", Native("all.reg"));
  ScopedEnv config("XDG_CONFIG_HOME", Native("config"));
  EXPECT_EQ(ReadString(RegistryHive::kLocalMachine, u"software\\corvana\\LUMARINE\\22.0", u"location"), u"/opt/l");
  auto user = RegistryKey::Open(RegistryHive::kCurrentUser,
                                u"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings");
  ASSERT_NE(user, nullptr);
  EXPECT_EQ(user->ReadDword(u"ProxyEnable"), 1u);
  // The XDG file is not read while LUMARINE_REGISTRY is set.
  EXPECT_EQ(RegistryKey::Open(RegistryHive::kCurrentUser, u"Other"), nullptr);
  // Parents of a written key exist; the hive root always does.
  EXPECT_NE(RegistryKey::Open(RegistryHive::kLocalMachine, u"Software\\Corvana"), nullptr);
  EXPECT_NE(RegistryKey::Open(RegistryHive::kLocalMachine, u"Software\\Corvana\\"), nullptr);
  EXPECT_NE(RegistryKey::Open(RegistryHive::kLocalMachine, u""), nullptr);
  EXPECT_EQ(RegistryKey::Open(RegistryHive::kLocalMachine, u"Software\\Corv"), nullptr);
  EXPECT_EQ(RegistryKey::Open(RegistryHive::kLocalMachine, u"Software\\Corvana\\Lumarine\\22"), nullptr);
}

TEST_F(RegistryFiles, CurrentUserComesFromTheConfigFolder) {
  WriteRegistry("config/lumarine/registry.reg",
                "[HKEY_CURRENT_USER\\K]\n\"v\"=\"xdg\"\n[HKEY_LOCAL_MACHINE\\K]\n\"v\"=\"not this hive\"\n");
  WriteRegistry("home/.config/lumarine/registry.reg", "[HKEY_CURRENT_USER\\K]\n\"v\"=\"home\"\n");
  {
    ScopedEnv config("XDG_CONFIG_HOME", Native("config"));
    ScopedEnv home("HOME", Native("home"));
    EXPECT_EQ(ReadString(RegistryHive::kCurrentUser, u"K", u"v"), u"xdg");
    EXPECT_EQ(ReadString(RegistryHive::kLocalMachine, u"K", u"v"), std::nullopt);
  }
  for (const std::optional<std::string>& config : {std::optional<std::string>(), std::optional<std::string>(""),
                                                   std::optional<std::string>("relative/dir")}) {
    ScopedEnv xdg("XDG_CONFIG_HOME", config);
    ScopedEnv home("HOME", Native("home"));
    EXPECT_EQ(ReadString(RegistryHive::kCurrentUser, u"K", u"v"), u"home");
  }
}

TEST_F(RegistryFiles, FilesAreReadAgainOnEveryOpen) {
  ScopedEnv registry("LUMARINE_REGISTRY", Native("r.reg"));
  EXPECT_EQ(RegistryKey::Open(RegistryHive::kCurrentUser, u"K"), nullptr);  // missing file: empty hive
  EXPECT_NE(RegistryKey::Open(RegistryHive::kCurrentUser, u""), nullptr);
  WriteRegistry("r.reg", "[HKEY_CURRENT_USER\\K]\n\"v\"=\"1\"\n");
  auto first = RegistryKey::Open(RegistryHive::kCurrentUser, u"K");
  ASSERT_NE(first, nullptr);
  WriteRegistry("r.reg", "[HKEY_CURRENT_USER\\K]\n\"v\"=\"2\"\n");
  EXPECT_EQ(first->ReadString(u"v"), u"1");  // an opened key is a snapshot
  EXPECT_EQ(ReadString(RegistryHive::kCurrentUser, u"K", u"v"), u"2");
}

TEST_F(RegistryFiles, UnreadableSourcesAreEmptyHives) {
  ASSERT_TRUE(dir_.Write(u"folder.reg/inside", "x"));
  ASSERT_TRUE(dir_.Write(u"garbage.reg", std::string("\0\xFF\xFE\x01[\n\"", 7)));
  lumarine_testing::FifoOpenWatch fifo(dir_.File(u"fifo.reg"));
  for (const char* name : {"folder.reg", "garbage.reg", "missing.reg", "fifo.reg"}) {
    ScopedEnv registry("LUMARINE_REGISTRY", Native(name));
    EXPECT_EQ(RegistryKey::Open(RegistryHive::kCurrentUser, u"K"), nullptr) << name;
  }
  EXPECT_FALSE(fifo.Stop()) << "the FIFO was opened";
}

}  // namespace
}  // namespace platform
