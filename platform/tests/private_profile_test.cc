#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "platform/files.h"
#include "platform/private_profile.h"
#include "platform/profile_document.h"
#include "platform/unicode.h"
#include "testing/fifo_open_watch.h"
#include "testing/temp_dir.h"

namespace platform {
namespace {

using lumarine_testing::TempDir;
using Lines = std::vector<WString>;

constexpr std::size_t kBig = 1024;

// Runs `work` on a thread of its own whose file access mode bits bind even
// when the tests run as root: the thread drops the capabilities that let
// root read and write any file (capabilities belong to each thread).
template <typename Work>
void BoundByModeBits(Work work) {
  std::thread([&work] {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct capabilities[_LINUX_CAPABILITY_U32S_3] = {};
    ASSERT_EQ(::syscall(SYS_capget, &header, capabilities), 0);
    capabilities[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    ASSERT_EQ(::syscall(SYS_capset, &header, capabilities), 0);
    work();
  }).join();
}

std::string Utf16Bytes(WStringView text, bool big_endian) {
  std::string bytes;
  AppendUtf16Bytes(text, big_endian, bytes);
  return bytes;
}

TEST(PrivateProfile, MissingFileReadsAsEmptyAndDeletionsCreateNothing) {
  TempDir dir;
  const WString file = dir.File(u"none.ini");
  EXPECT_TRUE(ReadProfileSectionNames(file).empty());
  EXPECT_TRUE(ReadProfileSection(file, u"Public").empty());
  EXPECT_EQ(ReadProfileString(file, u"Public", u"Key", kBig), std::nullopt);
  EXPECT_TRUE(DeleteProfileKey(file, u"Public", u"Key"));
  EXPECT_TRUE(DeleteProfileSection(file, u"Public"));
  EXPECT_FALSE(PathExists(file));
}

TEST(PrivateProfile, ReadsWithoutCaseTrimmedAndWithoutOnePairOfQuotes) {
  TempDir dir;
  ASSERT_TRUE(dir.Write(u"a.ini",
                        "top=before any section\n"
                        "[Public]\n"
                        "  MinimumValidVersion =  1.2.3  \n"
                        "; comment=not a key\n"
                        "Double=\"quoted value\"\n"
                        "Single='x'\n"
                        "Inner=\"a\"b\"\n"
                        "Mismatched=\"abc'\n"
                        "Lone=\"\n"
                        "NoEquals\n"
                        "Empty=\n"
                        "First=1\n"
                        "first=2\n"));
  const WString file = dir.File(u"a.ini");
  EXPECT_EQ(ReadProfileString(file, u"public", u"minimumvalidversion", kBig), u"1.2.3");
  EXPECT_EQ(ReadProfileString(file, u" PUBLIC ", u"Double", kBig), u"quoted value");
  EXPECT_EQ(ReadProfileString(file, u"Public", u"Single", kBig), u"x");
  EXPECT_EQ(ReadProfileString(file, u"Public", u"Inner", kBig), u"a\"b");
  EXPECT_EQ(ReadProfileString(file, u"Public", u"Mismatched", kBig), u"\"abc'");
  EXPECT_EQ(ReadProfileString(file, u"Public", u"Lone", kBig), u"\"");
  EXPECT_EQ(ReadProfileString(file, u"Public", u"NoEquals", kBig), u"");
  EXPECT_EQ(ReadProfileString(file, u"Public", u"Empty", kBig), u"");
  EXPECT_EQ(ReadProfileString(file, u"Public", u"First", kBig), u"1");
  EXPECT_EQ(ReadProfileString(file, u"Public", u"; comment", kBig), std::nullopt);
  EXPECT_EQ(ReadProfileString(file, u"Public", u"Missing", kBig), std::nullopt);
  EXPECT_EQ(ReadProfileString(file, u"", u"top", kBig), std::nullopt);
  // Section lines keep quotes and list every key line, the comment excepted.
  EXPECT_EQ(ReadProfileSection(file, u"PUBLIC"),
            (Lines{u"MinimumValidVersion=1.2.3", u"Double=\"quoted value\"", u"Single='x'", u"Inner=\"a\"b\"",
                   u"Mismatched=\"abc'", u"Lone=\"", u"NoEquals", u"Empty=", u"First=1", u"first=2"}));
}

TEST(PrivateProfile, SectionsKeepFileOrderAndRepeatedSectionsReadAsOne) {
  TempDir dir;
  ASSERT_TRUE(dir.Write(u"a.ini",
                        "[Public]\nA=1\n[AppB]\n[ not a section\n[AppA]\nX=1\n"
                        "[appb]\nOnlineTime=9\n[ Spaced Name ]\n"));
  const WString file = dir.File(u"a.ini");
  EXPECT_EQ(ReadProfileSectionNames(file), (Lines{u"Public", u"AppB", u"AppA", u"Spaced Name"}));
  EXPECT_EQ(ReadProfileString(file, u"APPB", u"onlinetime", kBig), u"9");
  EXPECT_EQ(ReadProfileSection(file, u"AppB"), (Lines{u"OnlineTime=9"}));
  // A new key of a repeated section goes after its last key.
  ASSERT_TRUE(WriteProfileString(file, u"appB", u"OfflineTime", u"10"));
  EXPECT_EQ(dir.Read(u"a.ini"),
            "[Public]\nA=1\n[AppB]\n[ not a section\n[AppA]\nX=1\n"
            "[appb]\nOnlineTime=9\nOfflineTime=10\n[ Spaced Name ]\n");
  ASSERT_TRUE(DeleteProfileSection(file, u"APPB"));
  EXPECT_EQ(dir.Read(u"a.ini"), "[Public]\nA=1\n[AppA]\nX=1\n[ Spaced Name ]\n");
}

TEST(PrivateProfile, WritesAddAtTheEndAndKeepEverythingElseAsWritten) {
  TempDir dir;
  const WString file = dir.File(u"d.ini");
  ASSERT_TRUE(WriteProfileString(file, u"Public", u"MinimumValidVersion", u"1.0"));
  ASSERT_TRUE(WriteProfileString(file, u"AppA", u"OnlineTime", u"1"));
  ASSERT_TRUE(WriteProfileString(file, u"Public", u"Second", u"2"));
  ASSERT_TRUE(WriteProfileString(file, u"appa", u"onlinetime", u"3"));  // keeps the key's own spelling
  EXPECT_EQ(dir.Read(u"d.ini"), "[Public]\nMinimumValidVersion=1.0\nSecond=2\n[AppA]\nOnlineTime=3\n");

  ASSERT_TRUE(dir.Write(u"c.ini", "\xEF\xBB\xBF; kept\r\n[S]\r\n  k = v  ; not a comment\r\n\r\n; about T\r\n[T]\r\n"));
  const WString crlf = dir.File(u"c.ini");
  ASSERT_TRUE(WriteProfileString(crlf, u"S", u"New", u"\u4E2D"));
  EXPECT_EQ(dir.Read(u"c.ini"),
            "\xEF\xBB\xBF; kept\r\n[S]\r\n  k = v  ; not a comment\r\nNew=\xE4\xB8\xAD\r\n\r\n; about T\r\n[T]\r\n");
  EXPECT_EQ(ReadProfileString(crlf, u"s", u"K", kBig), u"v  ; not a comment");
}

TEST(PrivateProfile, DeletionsRemoveKeysAndWholeSections) {
  TempDir dir;
  ASSERT_TRUE(dir.Write(u"d.ini", "[A]\nk=1\nother=2\nK=3\n; note\n[B]\nk=4\n"));
  const WString file = dir.File(u"d.ini");
  ASSERT_TRUE(DeleteProfileKey(file, u"a", u"K"));
  EXPECT_EQ(ReadProfileString(file, u"A", u"k", kBig), std::nullopt);
  EXPECT_EQ(ReadProfileString(file, u"B", u"k", kBig), u"4");
  ASSERT_TRUE(DeleteProfileKey(file, u"A", u"missing"));
  ASSERT_TRUE(DeleteProfileKey(file, u"Missing", u"k"));
  EXPECT_EQ(dir.Read(u"d.ini"), "[A]\nother=2\n; note\n[B]\nk=4\n");
  ASSERT_TRUE(DeleteProfileSection(file, u"a"));
  EXPECT_EQ(dir.Read(u"d.ini"), "[B]\nk=4\n");
  EXPECT_EQ(ReadProfileSectionNames(file), Lines{u"B"});
}

TEST(PrivateProfile, WholeSectionsAreReplacedOrAppended) {
  TempDir dir;
  ASSERT_TRUE(dir.Write(u"s.ini", "[App]\nDeploying=true\n; note\nOld=1\n[Next]\nx=1\n"));
  const WString file = dir.File(u"s.ini");
  ASSERT_TRUE(WriteProfileSection(file, u"app", {u"OnlineTime=1", u"OfflineTime=2"}));
  EXPECT_EQ(dir.Read(u"s.ini"), "[App]\nOnlineTime=1\nOfflineTime=2\n; note\n[Next]\nx=1\n");
  ASSERT_TRUE(WriteProfileSection(file, u"New", {u"a=b"}));
  EXPECT_EQ(ReadProfileSectionNames(file), (Lines{u"App", u"Next", u"New"}));
  EXPECT_EQ(ReadProfileSection(file, u"new"), Lines{u"a=b"});
}

TEST(PrivateProfile, ValuesAreCutToTheCallersBuffer) {
  TempDir dir;
  const WString file = dir.File(u"v.ini");
  const WString long_value(300, u'x');
  ASSERT_TRUE(WriteProfileString(file, u"App", u"OnlineTime", long_value));
  EXPECT_EQ(ReadProfileString(file, u"App", u"OnlineTime", 260), long_value.substr(0, 259));
  EXPECT_EQ(ReadProfileString(file, u"App", u"OnlineTime", 301), long_value);
  EXPECT_EQ(ReadProfileString(file, u"App", u"OnlineTime", 1), u"");
  EXPECT_EQ(ReadProfileString(file, u"App", u"OnlineTime", 0), u"");
  // A cut never ends inside a surrogate pair.
  ASSERT_TRUE(WriteProfileString(file, u"App", u"Emoji", u"ab\U0001F600"));
  EXPECT_EQ(ReadProfileString(file, u"App", u"Emoji", 4), u"ab");
}

TEST(PrivateProfile, NamesAndValuesThatWouldCorruptTheFileAreRefused) {
  TempDir dir;
  ASSERT_TRUE(dir.Write(u"r.ini", "[A]\nk=1\n"));
  const WString file = dir.File(u"r.ini");
  EXPECT_FALSE(WriteProfileString(file, u"B]x", u"k", u"v"));
  EXPECT_FALSE(WriteProfileString(file, u"B\nC", u"k", u"v"));
  EXPECT_FALSE(WriteProfileString(file, u"A", u"k=j", u"v"));
  EXPECT_FALSE(WriteProfileString(file, u"A", u"k\r", u"v"));
  EXPECT_FALSE(WriteProfileString(file, u"A", u"[S]", u"v"));
  EXPECT_FALSE(WriteProfileString(file, u"A", u" ;k", u"v"));
  EXPECT_FALSE(WriteProfileString(file, u"A", u"k", u"1\n[B]"));
  EXPECT_FALSE(WriteProfileString(file, u"A", u"k", WString(u"1\0" u"2", 3)));
  EXPECT_FALSE(WriteProfileSection(file, u"A", {u"x=1", u"[B]"}));
  EXPECT_FALSE(WriteProfileSection(file, u"A", {u""}));
  EXPECT_FALSE(WriteProfileSection(file, u"A", {u"x=1\ny=2"}));
  EXPECT_FALSE(DeleteProfileSection(file, u"A]"));
  EXPECT_FALSE(DeleteProfileKey(file, u"A", u"k=1"));
  EXPECT_EQ(dir.Read(u"r.ini"), "[A]\nk=1\n");
  // "]" and "=" are ordinary characters of a value.
  ASSERT_TRUE(WriteProfileString(file, u"A", u"k", u"[x]=y"));
  EXPECT_EQ(ReadProfileString(file, u"A", u"k", kBig), u"[x]=y");
}

TEST(PrivateProfile, FilesThatCannotBeReplacedAreLeftAlone) {
  TempDir dir;
  ASSERT_TRUE(dir.Write(u"ro.ini", "[A]\nk=1\n"));
  const WString read_only = dir.File(u"ro.ini");
  ASSERT_EQ(::chmod(NativePath(read_only).c_str(), 0444), 0);
  EXPECT_FALSE(WriteProfileString(read_only, u"A", u"k", u"2"));
  EXPECT_FALSE(DeleteProfileSection(read_only, u"A"));
  EXPECT_EQ(dir.Read(u"ro.ini"), "[A]\nk=1\n");
  // Writing the value it already holds needs no write and succeeds.
  EXPECT_TRUE(WriteProfileString(read_only, u"A", u"k", u"1"));
  // A folder is neither readable as a file nor replaced.
  EXPECT_FALSE(WriteProfileString(dir.path(), u"A", u"k", u"v"));
  EXPECT_TRUE(IsDirectory(dir.path()));
  EXPECT_FALSE(WriteProfileString(dir.File(u"no/such/folder.ini"), u"A", u"k", u"v"));
}

// A file marked as UTF-16 (little- or big-endian) is read, edited and
// written in its own encoding: its mark, every untouched line and its CRLF
// line ends stay as they were.
class Utf16Profile : public ::testing::TestWithParam<bool> {
 protected:
  std::string Bytes(WStringView text) const {
    return (big_endian() ? "\xFE\xFF" : "\xFF\xFE") + Utf16Bytes(text, big_endian());
  }
  bool big_endian() const { return GetParam(); }
};

TEST_P(Utf16Profile, IsReadEditedAndWrittenInItsOwnEncoding) {
  TempDir dir;
  ASSERT_TRUE(dir.Write(u"deploy.ini", Bytes(u"; deployment list\r\n[Public]\r\nMinimumValidVersion=1.0\r\n\r\n"
                                             u"[AppA]\r\nOnlineTime=2024\r\nOfflineTime=2034\r\nDeploying=true\r\n"
                                             u"[Caf\u00E9 \u4E2D]\r\nOnlineTime=\U0001F600\r\n")));
  const WString file = dir.File(u"deploy.ini");
  EXPECT_EQ(ReadProfileSectionNames(file), (Lines{u"Public", u"AppA", u"Caf\u00E9 \u4E2D"}));
  EXPECT_EQ(ReadProfileString(file, u"appa", u"DEPLOYING", kBig), u"true");
  EXPECT_EQ(ReadProfileString(file, u"Caf\u00E9 \u4E2D", u"OnlineTime", kBig), u"\U0001F600");

  ASSERT_TRUE(WriteProfileString(file, u"Public", u"MinimumValidVersion", u"2.0"));
  ASSERT_TRUE(WriteProfileString(file, u"AppA", u"OfflineTime", u"2035"));
  ASSERT_TRUE(WriteProfileSection(file, u"App\u00C4", {u"OnlineTime=1", u"OfflineTime=2"}));
  ASSERT_TRUE(DeleteProfileKey(file, u"AppA", u"OnlineTime"));
  EXPECT_EQ(dir.Read(u"deploy.ini"), Bytes(u"; deployment list\r\n[Public]\r\nMinimumValidVersion=2.0\r\n\r\n"
                                           u"[AppA]\r\nOfflineTime=2035\r\nDeploying=true\r\n"
                                           u"[Caf\u00E9 \u4E2D]\r\nOnlineTime=\U0001F600\r\n"
                                           u"[App\u00C4]\r\nOnlineTime=1\r\nOfflineTime=2\r\n"));
  EXPECT_EQ(ReadProfileSection(file, u"app\u00C4"), (Lines{u"OnlineTime=1", u"OfflineTime=2"}));
  ASSERT_TRUE(DeleteProfileSection(file, u"AppA"));
  EXPECT_EQ(ReadProfileSectionNames(file), (Lines{u"Public", u"Caf\u00E9 \u4E2D", u"App\u00C4"}));
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, Utf16Profile, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "BigEndian" : "LittleEndian";
                         });

// Bytes that the reader cannot take exactly are never rewritten, whatever
// the edit: the write fails and the file keeps its bytes.
TEST(PrivateProfile, FilesThatCannotBeReadExactlyAreNeverWritten) {
  TempDir dir;
  const std::string unreadable[] = {
      "\xEF\xBB\xBF[A]\nk=\xFF\n",                    // a UTF-8 mark before bytes that are not UTF-8
      "\xFF\xFE" + Utf16Bytes(u"[A]\r\nk=1\r\n", false) + "x",  // UTF-16 of an odd length
      Utf16Bytes(u"[A]\r\nk=1\r\n", false),                 // UTF-16 without its mark
  };
  for (const std::string& bytes : unreadable) {
    ASSERT_TRUE(dir.Write(u"u.ini", bytes));
    const WString file = dir.File(u"u.ini");
    EXPECT_FALSE(WriteProfileString(file, u"A", u"k", u"2"));
    EXPECT_FALSE(WriteProfileString(file, u"New", u"k", u"2"));
    EXPECT_FALSE(WriteProfileSection(file, u"A", {u"k=3"}));
    EXPECT_FALSE(DeleteProfileKey(file, u"A", u"k"));
    EXPECT_FALSE(DeleteProfileSection(file, u"Missing"));
    EXPECT_EQ(dir.Read(u"u.ini"), bytes);
  }
  // Nor is a file that cannot be read at all (it would be rewritten with
  // the new key alone), also when the tests run as root.
  ASSERT_TRUE(dir.Write(u"w.ini", "[A]\nk=1\n"));
  const WString write_only = dir.File(u"w.ini");
  ASSERT_EQ(::chmod(NativePath(write_only).c_str(), 0200), 0);
  BoundByModeBits([&] {
    EXPECT_FALSE(WriteProfileString(write_only, u"A", u"j", u"2"));
    EXPECT_FALSE(DeleteProfileKey(write_only, u"A", u"k"));
  });
  ASSERT_EQ(::chmod(NativePath(write_only).c_str(), 0600), 0);
  EXPECT_EQ(dir.Read(u"w.ini"), "[A]\nk=1\n");
}

// A file that is not UTF-8 is Windows-1252 and stays so; a text it cannot
// hold is refused, as is a lone surrogate in a UTF-8 file, and so is an
// edit after which the file would read as UTF-8.
TEST(PrivateProfile, AnsiFilesStayWindows1252) {
  TempDir dir;
  ASSERT_TRUE(dir.Write(u"w.ini", "[Caf\xE9]\nName=\x80 5\n"));
  const WString file = dir.File(u"w.ini");
  EXPECT_EQ(ReadProfileSectionNames(file), Lines{u"Caf\u00E9"});
  EXPECT_EQ(ReadProfileString(file, u"CAF\u00E9", u"name", kBig), u"\u20AC 5");
  ASSERT_TRUE(WriteProfileString(file, u"Caf\u00E9", u"Other", u"\u00FC\u20AC"));
  EXPECT_EQ(dir.Read(u"w.ini"), "[Caf\xE9]\nName=\x80 5\nOther=\xFC\x80\n");
  EXPECT_FALSE(WriteProfileString(file, u"Caf\u00E9", u"Other", u"\u4E2D"));
  EXPECT_FALSE(WriteProfileSection(file, u"\u4E2D", {u"a=1"}));
  EXPECT_EQ(dir.Read(u"w.ini"), "[Caf\xE9]\nName=\x80 5\nOther=\xFC\x80\n");

  ASSERT_TRUE(dir.Write(u"m.ini", "[A]\nk=\xE9\n[B]\nv=\xC3\xA9\n"));
  EXPECT_FALSE(DeleteProfileSection(dir.File(u"m.ini"), u"A"));
  EXPECT_EQ(dir.Read(u"m.ini"), "[A]\nk=\xE9\n[B]\nv=\xC3\xA9\n");
  EXPECT_EQ(ReadProfileString(dir.File(u"m.ini"), u"B", u"v", kBig), u"\u00C3\u00A9");

  ASSERT_TRUE(dir.Write(u"u.ini", "[A]\nk=\xE4\xB8\xAD\n"));
  EXPECT_FALSE(WriteProfileString(dir.File(u"u.ini"), u"A", u"k", WString(1, u'\xD800')));
  ASSERT_TRUE(WriteProfileString(dir.File(u"u.ini"), u"A", u"k", u"\U0001F600"));
  EXPECT_EQ(dir.Read(u"u.ini"), "[A]\nk=\xF0\x9F\x98\x80\n");
}

// Each line keeps its own line end; new lines end as the first line does.
TEST(PrivateProfile, LineEndsOfUntouchedLinesStay) {
  TempDir dir;
  ASSERT_TRUE(dir.Write(u"e.ini", "[A]\r\nk=1\n[B]\rx=1"));
  const WString file = dir.File(u"e.ini");
  ASSERT_TRUE(WriteProfileString(file, u"A", u"k", u"3"));
  EXPECT_EQ(dir.Read(u"e.ini"), "[A]\r\nk=3\n[B]\rx=1");
  ASSERT_TRUE(WriteProfileString(file, u"B", u"y", u"2"));
  EXPECT_EQ(dir.Read(u"e.ini"), "[A]\r\nk=3\n[B]\rx=1\r\ny=2\r\n");
  ASSERT_TRUE(dir.Write(u"cr.ini", "[Public]\rMinimumValidVersion=1.0\r"));
  ASSERT_TRUE(WriteProfileString(dir.File(u"cr.ini"), u"N", u"OnlineTime", u"a"));
  EXPECT_EQ(dir.Read(u"cr.ini"), "[Public]\rMinimumValidVersion=1.0\r[N]\rOnlineTime=a\r");
}

// Writes go through a symbolic link to the file it names; a FIFO in place
// of the file is neither opened nor replaced.
TEST(PrivateProfile, LinksAreWrittenThroughAndFifosLeftAlone) {
  TempDir dir;
  ASSERT_TRUE(dir.Write(u"real/deploy.ini", "[A]\r\nk=1\r\n"));
  ASSERT_EQ(::symlink("real/deploy.ini", NativePath(dir.File(u"deploy.ini")).c_str()), 0);
  ASSERT_TRUE(WriteProfileString(dir.File(u"deploy.ini"), u"A", u"k", u"2"));
  EXPECT_EQ(std::filesystem::read_symlink(NativePath(dir.File(u"deploy.ini"))), "real/deploy.ini");
  EXPECT_EQ(dir.Read(u"real/deploy.ini"), "[A]\r\nk=2\r\n");

  const WString fifo = dir.File(u"fifo.ini");
  lumarine_testing::FifoOpenWatch watch(fifo);
  EXPECT_TRUE(ReadProfileSectionNames(fifo).empty());
  EXPECT_EQ(ReadProfileString(fifo, u"A", u"k", kBig), std::nullopt);
  EXPECT_FALSE(WriteProfileString(fifo, u"A", u"k", u"v"));
  EXPECT_FALSE(watch.Stop()) << "the FIFO was opened";
  EXPECT_FALSE(IsRegularFile(fifo));
}

TEST(PrivateProfile, ConcurrentWritersInOneProcessLoseNothing) {
  TempDir dir;
  const WString file = dir.File(u"t.ini");
  std::vector<std::thread> writers;
  for (int t = 0; t < 4; ++t) {
    writers.emplace_back([&file, t] {
      for (int k = 0; k < 10; ++k) {
        const WString key = Utf8ToUtf16("k" + std::to_string(t) + "_" + std::to_string(k));
        EXPECT_TRUE(WriteProfileString(file, u"S", key, u"v"));
      }
    });
  }
  for (std::thread& writer : writers) writer.join();
  EXPECT_EQ(ReadProfileSection(file, u"S").size(), 40u);
}

TEST(ProfileDocument, SerialisingGivesBackTheBytesThatWereParsed) {
  for (const std::string& original :
       {std::string("a\r\n[S]\rk=v\n\n[s]\nx"), std::string("\xEF\xBB\xBF[S]\nk=\xE2\x82\xAC\n"),
        std::string("[S]\nk=\x80\xFF"), "\xFF\xFE" + Utf16Bytes(u"[S]\r\nk=\xDC00\r\n", false),
        "\xFE\xFF" + Utf16Bytes(u"[S]\nk=\u4E2D", true)}) {
    const ProfileDocument parsed = ProfileDocument::Parse(original);
    EXPECT_EQ(parsed.Serialize(), original);
    EXPECT_EQ(parsed.SectionNames(), Lines{u"S"});
  }
  EXPECT_EQ(ProfileDocument().Serialize(), "");
  // Bytes that were not read exactly are not given back as if they were.
  EXPECT_EQ(ProfileDocument::Parse("\xEF\xBB\xBF[S]\nk=\xFF\n").Serialize(), std::nullopt);
  EXPECT_EQ(ProfileDocument::Parse("\xFF\xFE[\0").Serialize(), std::nullopt);
}

}  // namespace
}  // namespace platform
