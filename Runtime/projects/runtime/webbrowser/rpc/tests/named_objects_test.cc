// Named kernel objects: Windows lifetimes across handles and processes.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "ipc_sandbox.h"
#include "peer_process.h"
#include "platform/file_mapping.h"
#include "platform/named_mutex.h"
#include "platform/named_semaphore.h"
#include "platform/semaphore.h"
#include "platform/unicode.h"

namespace rpc_test {
namespace {

using platform::FileMapping;
using platform::NameUse;
using platform::NamedCreation;
using platform::NamedObjectFile;
using platform::NamedObjectKind;
using platform::NamedSemaphore;

int Drain(platform::Waitable& semaphore) {
  int units = 0;
  while (semaphore.TryAcquire()) ++units;
  return units;
}

TEST(NamedSemaphoreTest, CreateOpensTheLiveObjectOpenNeedsOneAndTheLastCloseRemovesIt) {
  const auto name = UniqueName("sem");
  errno = 0;
  EXPECT_EQ(NamedSemaphore::Open(name), nullptr);
  EXPECT_EQ(errno, ENOENT);

  bool existed = true;
  auto first = NamedSemaphore::Create(name, 0, 3, NamedCreation::kCreateOrOpen, &existed);
  ASSERT_NE(first, nullptr);
  EXPECT_FALSE(existed);
  // A second create opens the same object: its counts are not applied.
  auto second = NamedSemaphore::Create(name, 2, 2, NamedCreation::kCreateOrOpen, &existed);
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(existed);
  EXPECT_EQ(Drain(*second), 0);
  auto opened = NamedSemaphore::Open(name);
  ASSERT_NE(opened, nullptr);
  EXPECT_TRUE(first->Release(3));
  EXPECT_EQ(Drain(*opened), 3);
  EXPECT_TRUE(first->HasOtherHolders());

  opened.reset();
  second.reset();
  EXPECT_FALSE(first->HasOtherHolders());
  const int files_while_live = CountObjectFiles();
  first.reset();
  EXPECT_EQ(NamedSemaphore::Open(name), nullptr);
  EXPECT_EQ(CountObjectFiles(), files_while_live - 1);
}

template <typename Semaphore>
void ExpectWindowsCounting(Semaphore& semaphore) {
  // Created with 1 of at most 2.
  std::uint32_t previous = 99;
  EXPECT_TRUE(semaphore.Release(1, &previous));
  EXPECT_EQ(previous, 1u);
  EXPECT_FALSE(semaphore.Release(1, &previous));
  EXPECT_EQ(previous, 1u);
  EXPECT_FALSE(semaphore.Release(0));
  EXPECT_EQ(Drain(semaphore), 2);
  EXPECT_FALSE(semaphore.Release(3));
  EXPECT_TRUE(semaphore.Release(2));
  EXPECT_EQ(Drain(semaphore), 2);
}

TEST(NamedSemaphoreTest, CountingFollowsWindowsRulesNamedAndUnnamed) {
  auto named = NamedSemaphore::Create(UniqueName("count"), 1, 2);
  auto unnamed = platform::Semaphore::Create(1, 2);
  ASSERT_NE(named, nullptr);
  ASSERT_NE(unnamed, nullptr);
  ExpectWindowsCounting(*named);
  ExpectWindowsCounting(*unnamed);

  EXPECT_EQ(NamedSemaphore::Create(UniqueName("bad"), 2, 1), nullptr);
  EXPECT_EQ(NamedSemaphore::Create(UniqueName("bad"), 0, 0), nullptr);
  EXPECT_EQ(NamedSemaphore::Create(u"", 0, 1), nullptr);
  EXPECT_EQ(platform::Semaphore::Create(2, 1), nullptr);
  EXPECT_EQ(platform::Semaphore::Create(0, 0), nullptr);
}

void StartAndKillHolder(const platform::WString& name, std::unique_ptr<NamedSemaphore>* opened) {
  PeerProcess holder({"hold-semaphore", platform::Utf16ToUtf8(name)});
  ASSERT_EQ(holder.ReadLine(), "ready");
  if (opened != nullptr) {
    *opened = NamedSemaphore::Open(name);
    ASSERT_NE(*opened, nullptr);
    EXPECT_TRUE((*opened)->HasOtherHolders());
  }
  holder.Kill();
  EXPECT_EQ(holder.Wait(), 128 + 9);
}

TEST(NamedSemaphoreTest, AnObjectLivesWhileAnyProcessHoldsItAndAKilledHolderLeavesNothingBehind) {
  const auto name = UniqueName("held");
  std::unique_ptr<NamedSemaphore> opened;
  StartAndKillHolder(name, &opened);
  EXPECT_FALSE(opened->HasOtherHolders());
  opened.reset();
  EXPECT_EQ(NamedSemaphore::Open(name), nullptr);

  // The dead holder's file stays, but no open finds it and a create starts
  // afresh with its own counts.
  StartAndKillHolder(name, nullptr);
  EXPECT_GT(CountObjectFiles(), 0);
  EXPECT_EQ(NamedSemaphore::Open(name), nullptr);
  StartAndKillHolder(name, nullptr);
  bool existed = true;
  auto fresh = NamedSemaphore::Create(name, 1, 1, NamedCreation::kCreateOrOpen, &existed);
  ASSERT_NE(fresh, nullptr);
  EXPECT_FALSE(existed);
  EXPECT_EQ(Drain(*fresh), 1);
}

TEST(NamedSemaphoreTest, ReplaceMakesAFreshObjectAndLeavesTheOldOneToItsHolders) {
  const auto name = UniqueName("replace");
  auto old_one = NamedSemaphore::Create(name, 0, 1);
  ASSERT_NE(old_one, nullptr);
  ASSERT_TRUE(old_one->Release());
  bool existed = true;
  auto new_one = NamedSemaphore::Create(name, 0, 1, NamedCreation::kReplace, &existed);
  ASSERT_NE(new_one, nullptr);
  EXPECT_FALSE(existed);
  EXPECT_FALSE(new_one->TryAcquire());

  auto opened = NamedSemaphore::Open(name);
  ASSERT_NE(opened, nullptr);
  ASSERT_TRUE(opened->Release());
  EXPECT_TRUE(new_one->TryAcquire());
  EXPECT_TRUE(old_one->TryAcquire());
  EXPECT_FALSE(old_one->HasOtherHolders());

  // A removed name leaves the semaphore to its holders alone; the old one's
  // name is gone already.
  EXPECT_FALSE(old_one->RemoveName());
  EXPECT_TRUE(opened->RemoveName());
  EXPECT_EQ(NamedSemaphore::Open(name), nullptr);
  ASSERT_TRUE(new_one->Release());
  EXPECT_TRUE(opened->TryAcquire());
}

const std::size_t kPage = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));

TEST(FileMappingTest, ViewsShareZeroFilledMemoryAndRemovingTheNameFreesIt) {
  const auto name = UniqueName("Local\\map");
  auto created = FileMapping::Create(name, 100);
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->size(), kPage);  // whole pages, as a Windows section's views
  auto* view = static_cast<char*>(created->MapView());
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(created->MapView(), view);
  EXPECT_EQ(std::string(view, kPage), std::string(kPage, '\0'));
  std::memcpy(view, "hello", 5);

  // A create that opens the live mapping keeps its size, and finds room to
  // the end of its page beyond what its maker asked for.
  bool existed = false;
  auto again = FileMapping::Create(name, 3 * kPage, NamedCreation::kCreateOrOpen, &existed);
  ASSERT_NE(again, nullptr);
  EXPECT_TRUE(existed);
  EXPECT_EQ(again->size(), kPage);
  auto* other_view = static_cast<char*>(again->MapView());
  ASSERT_NE(other_view, nullptr);
  std::memset(other_view + 100, 'x', kPage - 100);
  EXPECT_EQ(view[kPage - 1], 'x');
  auto opened = FileMapping::Open(name);
  ASSERT_NE(opened, nullptr);
  ASSERT_NE(opened->MapView(), nullptr);
  EXPECT_EQ(std::string(static_cast<char*>(opened->MapView()), 5), "hello");

  EXPECT_TRUE(opened->RemoveName());
  EXPECT_EQ(FileMapping::Open(name), nullptr);
  auto fresh = FileMapping::Create(name, kPage + 1, NamedCreation::kCreateOrOpen, &existed);
  ASSERT_NE(fresh, nullptr);
  EXPECT_FALSE(existed);
  EXPECT_EQ(fresh->size(), 2 * kPage);
  EXPECT_EQ(std::string(view, 5), "hello");  // the old object lives on for its holders

  EXPECT_EQ(FileMapping::Create(UniqueName("empty"), 0), nullptr);
}

std::string Bytes(FileMapping& mapping, std::size_t count) {
  const void* view = mapping.MapView();
  return view != nullptr ? std::string(static_cast<const char*>(view), count) : "(no view)";
}

TEST(FileMappingTest, ContentsAreWrittenAndReadWithoutAViewAndAConsumerOrAFirstOpenerTakesTheName) {
  const auto name = UniqueName("Local\\message");
  auto created = FileMapping::CreateHolding(name, 10, {"requ", "est"}, NamedCreation::kReplace);
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->size(), kPage);

  auto taken = FileMapping::OpenAndRemoveName(name);
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(FileMapping::Open(name), nullptr);
  EXPECT_FALSE(taken->RemoveName());
  EXPECT_EQ(Bytes(*taken, kPage), "request" + std::string(kPage - 7, '\0'));  // zeros follow the contents
  static_cast<char*>(taken->MapView())[0] = 'R';
  EXPECT_EQ(Bytes(*created, 7), "Request");
  // Read and zero-filled without a view, as every view sees it; a read
  // stops where the mapping ends.
  char read[8] = {};
  EXPECT_EQ(created->ReadAt(1, read, 6), 6);
  EXPECT_EQ(std::string(read, 6), "equest");
  EXPECT_EQ(created->ReadAt(kPage - 2, read, sizeof read), 2);
  EXPECT_TRUE(created->ZeroFill(3));
  EXPECT_EQ(Bytes(*taken, 7), std::string("\0\0\0uest", 7));
  EXPECT_FALSE(created->ZeroFill(kPage + 1));

  // The freed name makes a new object while both handles keep the old one.
  // Made for its first opener, it keeps its name for a create that finds it
  // and gives it up to the first open.
  auto reply = FileMapping::CreateHolding(name, 6, {"reply"}, NamedCreation::kReplace, NameUse::kFirstOpener);
  ASSERT_NE(reply, nullptr);
  bool existed = false;
  auto joined = FileMapping::Create(name, 1, NamedCreation::kCreateOrOpen, &existed);
  ASSERT_NE(joined, nullptr);
  EXPECT_TRUE(existed);
  auto opened = FileMapping::Open(name);
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(Bytes(*opened, 6), std::string("reply", 6));
  EXPECT_EQ(FileMapping::Open(name), nullptr);
  auto next = FileMapping::Create(name, 1, NamedCreation::kCreateOrOpen, &existed);
  ASSERT_NE(next, nullptr);
  EXPECT_FALSE(existed);

  EXPECT_EQ(FileMapping::OpenAndRemoveName(UniqueName("none")), nullptr);
}

TEST(NamedObjectFileTest, NamesBecomeSafeDistinctFileNames) {
  const auto file = [](platform::WStringView name) {
    return NamedObjectFile::FileName(NamedObjectKind::kSemaphore, name);
  };
  EXPECT_EQ(file(u"plain_Name-1.x"), "s.plain_Name-1.x");
  EXPECT_EQ(file(u"a/b\u00e9"), "s.a%2Fb%C3%A9");
  EXPECT_NE(file(u"a/b"), file(u"a%2Fb"));
  EXPECT_EQ(file(u"Local\\x"), file(u"x"));
  EXPECT_NE(file(u"Global\\x"), file(u"x"));
  EXPECT_NE(NamedObjectFile::FileName(NamedObjectKind::kFileMapping, u"x"), file(u"x"));

  const platform::WString long_a(400, u'a');
  const platform::WString long_b = long_a + u"b";
  EXPECT_LE(file(long_a).size(), 200u);
  EXPECT_NE(file(long_a), file(long_b));

  // Long names still make working objects.
  auto semaphore = NamedSemaphore::Create(long_b, 0, 1);
  ASSERT_NE(semaphore, nullptr);
  EXPECT_NE(NamedSemaphore::Open(long_b), nullptr);
  EXPECT_EQ(NamedSemaphore::Open(long_a), nullptr);
}

// The bytes of an object's file, at most `count` of them.
std::string FileBytes(NamedObjectKind kind, const platform::WString& name, std::size_t count) {
  std::string bytes(count, '?');
  const int fd = ::open((IpcFolder() + "/" + NamedObjectFile::FileName(kind, name)).c_str(), O_RDONLY | O_CLOEXEC);
  const ssize_t read = fd >= 0 ? ::pread(fd, bytes.data(), count, 0) : -1;
  if (fd >= 0) ::close(fd);
  bytes.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
  return bytes;
}

// A process killed while it held a mapping and a mutex, whose bytes it had
// filled: objects made afterwards under their names show nothing of it.
TEST(NamedObjectFileTest, AnObjectMadeAfterItsLastHolderWasKilledShowsNothingOfIt) {
  const auto name = UniqueName("Local\\left");
  PeerProcess holder({"hold-filled", platform::Utf16ToUtf8(name), std::to_string(3 * kPage)});
  ASSERT_EQ(holder.ReadLine(), "ready");
  holder.Kill();
  EXPECT_EQ(holder.Wait(), 128 + 9);

  bool existed = true;
  auto mapping = FileMapping::CreateHolding(name, 3, {"new"}, NamedCreation::kCreateOrOpen, NameUse::kShared, &existed);
  ASSERT_NE(mapping, nullptr);
  EXPECT_FALSE(existed);
  EXPECT_EQ(mapping->size(), kPage);
  const std::string bytes = Bytes(*mapping, kPage);
  EXPECT_EQ(bytes.substr(0, 3), "new");
  EXPECT_EQ(bytes.find_first_not_of('\0', 3), std::string::npos) << "the dead holder's bytes show";

  auto mutex = platform::NamedMutex::Create(name);
  ASSERT_NE(mutex, nullptr);
  EXPECT_EQ(FileBytes(NamedObjectKind::kMutex, name, 3 * kPage), std::string(2, '\0'));
}

TEST(NamedMutexTest, ExcludesOtherHandlesAndProcessesAndDiesWithItsOwner) {
  const auto name = UniqueName("mutex");
  PeerProcess owner({"hold-mutex", platform::Utf16ToUtf8(name)});
  ASSERT_EQ(owner.ReadLine(), "ready");
  auto mutex = platform::NamedMutex::Create(name);
  ASSERT_NE(mutex, nullptr);

  auto acquired = platform::Semaphore::Create(0, 1);
  std::thread waiter([&] {
    if (mutex->Lock()) acquired->Release();
  });
  platform::WaitOptions brief;
  brief.timeout_ms = 100;
  EXPECT_EQ(platform::WaitForObject(*acquired, brief), platform::WaitResult::kTimeout);
  owner.Kill();  // never unlocks: its death must free the mutex
  owner.Wait();
  EXPECT_EQ(platform::WaitForObject(*acquired), platform::WaitResult::kSignaled);
  waiter.join();

  // A second handle of this process is excluded too.
  auto other = platform::NamedMutex::Create(name);
  ASSERT_NE(other, nullptr);
  std::thread second([&] {
    if (other->Lock()) acquired->Release();
  });
  EXPECT_EQ(platform::WaitForObject(*acquired, brief), platform::WaitResult::kTimeout);
  mutex->Unlock();
  EXPECT_EQ(platform::WaitForObject(*acquired), platform::WaitResult::kSignaled);
  second.join();
  other->Unlock();
}

}  // namespace
}  // namespace rpc_test
