#include "platform/atomic_file_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
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

}  // namespace
}  // namespace platform
