#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "platform/files.h"
#include "platform/unicode.h"
#include "testing/fifo_open_watch.h"
#include "testing/scoped_env.h"
#include "testing/temp_dir.h"

namespace platform {
namespace {

using lumarine_testing::FifoOpenWatch;
using lumarine_testing::ScopedEnv;
using lumarine_testing::TempDir;

// Names of everything in a folder.
std::vector<std::string> Entries(const TempDir& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.native_path())) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

TEST(Files, UnicodeNamesReachTheDiskAsUtf8) {
  TempDir dir;
  const WString name = dir.File(u"\u4E2D\u6587 \U0001F600.txt");
  ASSERT_TRUE(ReplaceFileAtomically(name, "data"));
  EXPECT_EQ(Entries(dir), std::vector<std::string>{"\xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80.txt"});
  EXPECT_EQ(ReadWholeFile(name), "data");
  std::FILE* file = OpenFile(name, "rb");
  ASSERT_NE(file, nullptr);
  std::fclose(file);
  // A backslash is an ordinary character of a file name.
  ASSERT_TRUE(ReplaceFileAtomically(dir.File(u"a\\b"), "x"));
  EXPECT_TRUE(IsRegularFile(dir.File(u"a\\b")));
  EXPECT_FALSE(IsDirectory(dir.File(u"a")));
  // Names as long as the system takes them: 255 bytes, and 80 CJK
  // characters with ".json" (245 bytes); saved new and saved over.
  for (const WString& name : {WString(255, u'n'), WString(80, u'\u4E2D') + u".json"}) {
    for (const char* content : {"new", "replaced"}) {
      ASSERT_TRUE(ReplaceFileAtomically(dir.File(name), content)) << NativePath(name).size();
      EXPECT_EQ(ReadWholeFile(dir.File(name)), content);
    }
  }
  EXPECT_EQ(Entries(dir).size(), 4u);
}

TEST(Files, FoldersAreNotFiles) {
  TempDir dir;
  errno = 0;
  EXPECT_EQ(OpenFile(dir.path(), "rb"), nullptr);
  EXPECT_EQ(errno, EISDIR);
  EXPECT_FALSE(ReadWholeFile(dir.path()).has_value());
  EXPECT_FALSE(ReadWholeFile(dir.File(u"missing")).has_value());
  EXPECT_FALSE(DeleteFileAt(dir.path()));
  EXPECT_FALSE(DeleteFileAt(dir.File(u"missing")));
  EXPECT_TRUE(PathExists(dir.path()));
  EXPECT_FALSE(IsRegularFile(dir.path()));
  EXPECT_FALSE(ReplaceFileAtomically(dir.path(), "x"));
  EXPECT_TRUE(IsDirectory(dir.path()));
}

// A FIFO is never opened by name (a reader would wait for a writer, a
// writer for a reader); a device is refused as well. Neither is replaced by
// a save.
TEST(Files, FifosAndDevicesAreUnusableFilesThatNoOneWaitsOn) {
  TempDir dir;
  using Opener = FifoOpenWatch::Opener;
  for (const auto& [opener, modes] : {std::pair(Opener::kReader, std::vector<const char*>{"rb", "r", "r+"}),
                                      std::pair(Opener::kWriter, std::vector<const char*>{"wb", "ab", "a+"})}) {
    const WString fifo = dir.File(opener == Opener::kReader ? u"read.json" : u"written.json");
    FifoOpenWatch watch(fifo, opener);
    for (const char* mode : modes) {
      errno = 0;
      std::FILE* file = OpenFile(fifo, mode);
      EXPECT_EQ(file, nullptr) << mode;
      EXPECT_EQ(errno, EINVAL) << mode;
      if (file != nullptr) std::fclose(file);
    }
    if (opener == Opener::kReader) {
      EXPECT_FALSE(ReadWholeFile(fifo).has_value());
    }
    EXPECT_FALSE(ReplaceFileAtomically(fifo, "x"));
    EXPECT_FALSE(watch.Stop()) << "the FIFO was opened";
    EXPECT_FALSE(IsRegularFile(fifo));
  }
  EXPECT_EQ(Entries(dir).size(), 2u);

  errno = 0;
  EXPECT_EQ(OpenFile(u"/dev/null", "rb"), nullptr);
  EXPECT_EQ(errno, EINVAL);
  EXPECT_FALSE(ReadWholeFile(u"/dev/null").has_value());
  // Modes are checked: only "r", "w" or "a" with "b", "+", "x" or "e".
  ASSERT_TRUE(dir.Write(u"plain.txt", "abc"));
  for (const char* mode : {"", "q", "rw", "rbt"}) {
    errno = 0;
    EXPECT_EQ(OpenFile(dir.File(u"plain.txt"), mode), nullptr) << mode;
    EXPECT_EQ(errno, EINVAL) << mode;
  }
  errno = 0;
  EXPECT_EQ(OpenFile(dir.File(u"plain.txt"), "wbx"), nullptr);
  EXPECT_EQ(errno, EEXIST);
  std::FILE* updated = OpenFile(dir.File(u"plain.txt"), "r+b");
  ASSERT_NE(updated, nullptr);
  EXPECT_EQ(std::fgetc(updated), 'a');
  std::fclose(updated);
  std::FILE* appended = OpenFile(dir.File(u"plain.txt"), "ab");
  ASSERT_NE(appended, nullptr);
  EXPECT_EQ(std::fputs("d", appended), 1);
  std::fclose(appended);
  EXPECT_EQ(ReadWholeFile(dir.File(u"plain.txt")), "abcd");
}

TEST(Files, AtomicReplaceKeepsModeAndLeavesNoTemporaryFile) {
  TempDir dir;
  const WString file = dir.File(u"doc.json");
  ASSERT_TRUE(dir.Write(u"doc.json", "old content"));
  ASSERT_EQ(::chmod(NativePath(file).c_str(), 0640), 0);
  ASSERT_TRUE(ReplaceFileAtomically(file, ""));
  EXPECT_EQ(ReadWholeFile(file), "");
  ASSERT_TRUE(ReplaceFileAtomically(file, std::string(200000, 'z')));
  EXPECT_EQ(ReadWholeFile(file)->size(), 200000u);
  struct stat st;
  ASSERT_EQ(::stat(NativePath(file).c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(Entries(dir), std::vector<std::string>{"doc.json"});
}

TEST(Files, FailedReplaceKeepsTheOldFile) {
  TempDir dir;
  const WString file = dir.File(u"doc.json");
  ASSERT_TRUE(dir.Write(u"doc.json", "old"));
  // A write that exceeds the file-size limit fails half-way (EFBIG).
  struct rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto* previous_handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool replaced = ReplaceFileAtomically(file, std::string(100000, 'n'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous_handler);
  EXPECT_FALSE(replaced);
  EXPECT_EQ(ReadWholeFile(file), "old");
  EXPECT_EQ(Entries(dir), std::vector<std::string>{"doc.json"});
  // A missing folder: nothing is created.
  EXPECT_FALSE(ReplaceFileAtomically(dir.File(u"no/such/doc.json"), "x"));
  EXPECT_EQ(Entries(dir), std::vector<std::string>{"doc.json"});
}

TEST(Files, ReadOnlyIsJudgedByModeBits) {
  TempDir dir;
  const WString file = dir.File(u"ro.txt");
  ASSERT_TRUE(dir.Write(u"ro.txt", "keep"));
  EXPECT_FALSE(IsReadOnly(file));
  ASSERT_EQ(::chmod(NativePath(file).c_str(), 0444), 0);
  EXPECT_TRUE(IsReadOnly(file));  // also when the tests run as root
  errno = 0;
  EXPECT_FALSE(ReplaceFileAtomically(file, "lost"));
  EXPECT_EQ(errno, EACCES);
  EXPECT_EQ(ReadWholeFile(file), "keep");
  ASSERT_EQ(::chmod(NativePath(file).c_str(), 0200), 0);
  EXPECT_FALSE(IsReadOnly(file));
  // Any write bit will do, also one the owner lacks.
  ASSERT_EQ(::chmod(NativePath(file).c_str(), 0464), 0);
  EXPECT_FALSE(IsReadOnly(file));
  ASSERT_TRUE(ReplaceFileAtomically(file, "saved"));
  EXPECT_EQ(ReadWholeFile(file), "saved");
  EXPECT_FALSE(IsReadOnly(dir.File(u"missing")));
  EXPECT_TRUE(DeleteFileAt(file));
  EXPECT_FALSE(PathExists(file));
}

TEST(Files, PathPieces) {
  EXPECT_EQ(JoinPath(u"/a/b", u"c"), u"/a/b/c");
  EXPECT_EQ(JoinPath(u"/a/b/", u"c"), u"/a/b/c");
  EXPECT_EQ(JoinPath(u"/a/", u"/c"), u"/c");  // an absolute second piece wins
  EXPECT_EQ(JoinPath(u"/", u"c"), u"/c");
  EXPECT_EQ(JoinPath(u"", u"c"), u"c");
  EXPECT_EQ(JoinPath(u"a", u""), u"a");
  EXPECT_EQ(JoinPath(u"C:\\x", u"y"), u"C:\\x/y");
  EXPECT_EQ(ParentFolder(u"/a/b/c.txt"), u"/a/b");
  EXPECT_EQ(ParentFolder(u"/c.txt"), u"/");
  EXPECT_EQ(ParentFolder(u"c.txt"), u"");
  EXPECT_EQ(ParentFolder(u"dir\\c.txt"), u"");
}

TEST(Files, TempFolderFollowsTmpdir) {
  {
    ScopedEnv tmpdir("TMPDIR", "/var/tmp//");
    EXPECT_EQ(TempFolder(), u"/var/tmp");
  }
  {
    ScopedEnv tmpdir("TMPDIR", "");
    EXPECT_EQ(TempFolder(), u"/tmp");
  }
  ScopedEnv tmpdir("TMPDIR", std::nullopt);
  EXPECT_EQ(TempFolder(), u"/tmp");
}

TEST(Files, CreateFoldersMakesEveryLevel) {
  TempDir dir;
  const WString deep = dir.File(u"a/b/\u00E9/d");
  EXPECT_TRUE(CreateFolders(deep));
  EXPECT_TRUE(IsDirectory(deep));
  EXPECT_TRUE(CreateFolders(deep));  // already there
  ASSERT_TRUE(dir.Write(u"file", "x"));
  EXPECT_FALSE(CreateFolders(dir.File(u"file/sub")));
  EXPECT_FALSE(CreateFolders(dir.File(u"file")));
}

}  // namespace
}  // namespace platform
