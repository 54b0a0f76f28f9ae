#include "platform/atomic_file_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/files.h"
#include "platform/unicode.h"
#include "testing/file_size_limit.h"
#include "testing/temp_dir.h"

namespace platform {
namespace {

using lumarine_testing::ScopedFileSizeLimit;
using lumarine_testing::TempDir;

std::size_t EntryCount(const TempDir& dir) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.native_path())) ++count;
  return count;
}

TEST(AtomicFileWriter, TheTargetChangesOnlyAtCommit) {
  TempDir dir;
  const WString file = dir.File(u"doc.json");
  ASSERT_TRUE(dir.Write(u"doc.json", "old"));
  auto writer = AtomicFileWriter::Begin(file);
  ASSERT_NE(writer, nullptr);
  EXPECT_TRUE(writer->Write("new "));
  EXPECT_TRUE(writer->Write("content"));
  EXPECT_EQ(ReadWholeFile(file), "old");
  ASSERT_TRUE(writer->Commit());
  writer.reset();
  EXPECT_EQ(ReadWholeFile(file), "new content");
  EXPECT_EQ(EntryCount(dir), 1u);
}

TEST(AtomicFileWriter, AnAbandonedWriterLeavesNothingBehind) {
  TempDir dir;
  auto writer = AtomicFileWriter::Begin(dir.File(u"new.json"));
  ASSERT_NE(writer, nullptr);
  EXPECT_TRUE(writer->Write("partial"));
  writer.reset();
  EXPECT_EQ(EntryCount(dir), 0u);
  EXPECT_EQ(AtomicFileWriter::Begin(dir.File(u"missing/new.json")), nullptr);
}

TEST(AtomicFileWriter, AFailedWriteFailsTheCommit) {
  TempDir dir;
  const WString file = dir.File(u"doc.json");
  ASSERT_TRUE(dir.Write(u"doc.json", "old"));
  auto writer = AtomicFileWriter::Begin(file);
  ASSERT_NE(writer, nullptr);
  bool written = true;
  {
    ScopedFileSizeLimit limit(4096);
    written = writer->Write(std::string(100000, 'n'));
  }
  EXPECT_FALSE(written);
  EXPECT_FALSE(writer->Write("more"));
  errno = 0;
  EXPECT_FALSE(writer->Commit());
  EXPECT_EQ(errno, EFBIG);
  writer.reset();
  EXPECT_EQ(ReadWholeFile(file), "old");
  EXPECT_EQ(EntryCount(dir), 1u);
}

// A 255-byte name leaves room for only part of itself in the temporary
// file's name. The part kept ends between characters, so the temporary name
// is UTF-8 too, wherever the cut falls: after k ASCII letters, 3-byte
// characters start at every offset modulo 3.
TEST(AtomicFileWriter, TheLongestNamesAreCutBetweenCharactersForTheTemporaryFile) {
  for (std::size_t k = 0; k < 3; ++k) {
    TempDir dir;
    const WString name = WString(k, u'a') + WString((255 - k) / 3, u'\u4E2D') + WString((255 - k) % 3, u'z');
    ASSERT_EQ(NativePath(name).size(), 255u);
    auto writer = AtomicFileWriter::Begin(dir.File(name));
    ASSERT_NE(writer, nullptr) << k;
    ASSERT_EQ(EntryCount(dir), 1u);  // the temporary file
    for (const auto& entry : std::filesystem::directory_iterator(dir.native_path())) {
      EXPECT_TRUE(IsValidUtf8(entry.path().filename().string())) << k;
    }
    ASSERT_TRUE(writer->Write("saved"));
    ASSERT_TRUE(writer->Commit()) << k;
    EXPECT_EQ(ReadWholeFile(dir.File(name)), "saved");
    EXPECT_EQ(EntryCount(dir), 1u);
  }
}

// The link's own text (what it points at); "" when it is not a link.
std::string LinkText(const WString& path) {
  std::error_code error;
  return std::filesystem::read_symlink(NativePath(path), error).string();
}

mode_t ModeOf(const WString& path) {
  struct stat st;
  return ::stat(NativePath(path).c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// A save through a symbolic link replaces the file the link names, beside
// that file, and leaves the link a link.
TEST(AtomicFileWriter, SavesThroughSymbolicLinksReplaceTheFileTheyName) {
  TempDir app;
  TempDir etc;
  ASSERT_TRUE(etc.Write(u"config.json", "old"));
  ASSERT_EQ(::chmod(etc.native_path().append("/config.json").c_str(), 0640), 0);
  const std::string target = etc.native_path() + "/config.json";
  ASSERT_EQ(::symlink(target.c_str(), NativePath(app.File(u"config.json")).c_str()), 0);
  // A chain: a relative link to the absolute one, read from its own folder.
  ASSERT_TRUE(app.Write(u"sub/.keep", ""));
  ASSERT_EQ(::symlink("../config.json", NativePath(app.File(u"sub/chained.json")).c_str()), 0);

  ASSERT_TRUE(ReplaceFileAtomically(app.File(u"config.json"), "first"));
  EXPECT_EQ(LinkText(app.File(u"config.json")), target);
  EXPECT_EQ(ReadWholeFile(etc.File(u"config.json")), "first");
  EXPECT_EQ(ModeOf(etc.File(u"config.json")), 0640u);
  auto writer = AtomicFileWriter::Begin(app.File(u"sub/chained.json"));
  ASSERT_NE(writer, nullptr);
  ASSERT_TRUE(writer->Write("second"));
  EXPECT_EQ(EntryCount(etc), 2u);  // the temporary file lies beside the target
  ASSERT_TRUE(writer->Commit());
  writer.reset();
  EXPECT_EQ(LinkText(app.File(u"sub/chained.json")), "../config.json");
  EXPECT_EQ(ReadWholeFile(etc.File(u"config.json")), "second");
  EXPECT_EQ(EntryCount(etc), 1u);
  EXPECT_EQ(EntryCount(app), 2u);  // config.json and sub: nothing added

  // A read-only target is refused through its link as well.
  ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
  errno = 0;
  EXPECT_FALSE(ReplaceFileAtomically(app.File(u"config.json"), "lost"));
  EXPECT_EQ(errno, EACCES);
  EXPECT_EQ(ReadWholeFile(etc.File(u"config.json")), "second");
}

// A dangling link names a file that a save creates; a loop of links or a
// link into a missing folder is refused with nothing written. A chain of
// links is followed as far as the system follows it when it opens a path:
// 40 links, not 41.
TEST(AtomicFileWriter, DanglingLinksGetTheirFileAndLoopsAreRefused) {
  TempDir dir;
  ASSERT_EQ(::symlink("made/by/save.json", NativePath(dir.File(u"dangling.json")).c_str()), 0);
  EXPECT_FALSE(ReplaceFileAtomically(dir.File(u"dangling.json"), "x"));  // its folder is missing
  ASSERT_TRUE(CreateFolders(dir.File(u"made/by")));
  ASSERT_TRUE(ReplaceFileAtomically(dir.File(u"dangling.json"), "created"));
  EXPECT_EQ(LinkText(dir.File(u"dangling.json")), "made/by/save.json");
  EXPECT_EQ(ReadWholeFile(dir.File(u"made/by/save.json")), "created");

  ASSERT_EQ(::symlink("b.json", NativePath(dir.File(u"a.json")).c_str()), 0);
  ASSERT_EQ(::symlink("a.json", NativePath(dir.File(u"b.json")).c_str()), 0);
  errno = 0;
  EXPECT_EQ(AtomicFileWriter::Begin(dir.File(u"a.json")), nullptr);
  EXPECT_EQ(errno, ELOOP);
  EXPECT_EQ(LinkText(dir.File(u"a.json")), "b.json");
  EXPECT_EQ(EntryCount(dir), 4u);

  TempDir chain;  // l1 -> l2 -> ... -> l41 -> target.json
  ASSERT_TRUE(chain.Write(u"target.json", "old"));
  for (int link = 41; link >= 1; --link) {
    const std::string next = link == 41 ? "target.json" : "l" + std::to_string(link + 1);
    ASSERT_EQ(::symlink(next.c_str(), (chain.native_path() + "/l" + std::to_string(link)).c_str()), 0);
  }
  ASSERT_TRUE(ReplaceFileAtomically(chain.File(u"l2"), "through 40 links"));
  EXPECT_EQ(ReadWholeFile(chain.File(u"target.json")), "through 40 links");
  errno = 0;
  EXPECT_FALSE(ReplaceFileAtomically(chain.File(u"l1"), "lost"));
  EXPECT_EQ(errno, ELOOP);
  EXPECT_EQ(ReadWholeFile(chain.File(u"target.json")), "through 40 links");
}

}  // namespace
}  // namespace platform
