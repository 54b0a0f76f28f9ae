// Waits: hand-over between threads, time-outs, stops, peers and pumps.
#include <atomic>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/message_pump.h"
#include "platform/semaphore.h"
#include "platform/stoppable_thread.h"
#include "testing/patience.h"

namespace rpc_test {
namespace {

using platform::Semaphore;
using platform::WaitForObject;
using platform::WaitOptions;
using platform::WaitResult;

TEST(WaitTest, SemaphoresHandDataOverBetweenThreads) {
  auto to_worker = Semaphore::Create(0, 1);
  auto to_main = Semaphore::Create(0, 1);
  int shared_value = 0;  // plain memory: the semaphores must order it
  std::thread worker([&] {
    for (int round = 0; round < 2000; ++round) {
      if (WaitForObject(*to_worker) != WaitResult::kSignaled) return;
      shared_value += 1;
      to_main->Release();
    }
  });
  for (int round = 0; round < 2000; ++round) {
    shared_value += 1;
    to_worker->Release();
    ASSERT_EQ(WaitForObject(*to_main), WaitResult::kSignaled);
  }
  worker.join();
  EXPECT_EQ(shared_value, 4000);
}

TEST(WaitTest, ATimeOutEndsAWaitWithoutTakingAUnit) {
  auto semaphore = Semaphore::Create(0, 1);
  WaitOptions options;
  options.timeout_ms = 20;
  EXPECT_EQ(WaitForObject(*semaphore, options), WaitResult::kTimeout);
  options.timeout_ms = 0;
  EXPECT_EQ(WaitForObject(*semaphore, options), WaitResult::kTimeout);
  semaphore->Release();
  EXPECT_EQ(WaitForObject(*semaphore, options), WaitResult::kSignaled);
}

TEST(WaitTest, AStopEndsEveryWaitAndSleepOfThatThreadOnly) {
  auto never = Semaphore::Create(0, 1);
  std::atomic<int> outcome{-1};
  std::atomic<bool> slept_fully{true};
  platform::StoppableThread thread;
  ASSERT_TRUE(thread.Start([&] {
    outcome = static_cast<int>(WaitForObject(*never));
    slept_fully = platform::SleepUnlessStopped(60000);
  }));
  EXPECT_FALSE(thread.Start([] {}));  // a thread runs once
  EXPECT_FALSE(thread.WaitForEnd(20));
  EXPECT_EQ(platform::StopToken::Current(), nullptr);
  EXPECT_TRUE(platform::SleepUnlessStopped(1));

  thread.RequestStop();
  ASSERT_TRUE(thread.WaitForEnd(static_cast<std::uint32_t>(lumarine_testing::PatienceMs())))
      << "the stopped thread never ended";
  EXPECT_EQ(outcome.load(), static_cast<int>(WaitResult::kStopped));
  EXPECT_FALSE(slept_fully.load());
}

TEST(WaitTest, AGonePeerEndsAWaitButAUnitReleasedBeforeStillArrives) {
  auto semaphore = Semaphore::Create(0, 1);
  std::atomic<bool> peer_alive{true};
  WaitOptions options;
  options.peer_alive = [&] { return peer_alive.load(); };
  std::thread peer([&] { peer_alive = false; });
  EXPECT_EQ(WaitForObject(*semaphore, options), WaitResult::kPeerGone);
  peer.join();

  // The peer released and went before the wait noticed: the unit counts.
  semaphore->Release();
  options.peer_alive = [] { return false; };
  EXPECT_EQ(WaitForObject(*semaphore, options), WaitResult::kSignaled);
}

class RecordingPump : public platform::MessagePump {
 public:
  void Dispatch(const platform::WindowMessage& message) override {
    dispatched.push_back(message.message);
    if (dispatched.size() == 3) done->Release();
  }
  std::vector<std::uint32_t> dispatched;
  std::unique_ptr<Semaphore> done = Semaphore::Create(0, 1);
};

TEST(WaitTest, APumpingWaitDispatchesMessagesPostedWhileItWaits) {
  RecordingPump pump;
  std::thread poster([&] {
    for (std::uint32_t id : {0x10u, 0x11u, 0x12u}) pump.Post({id, 0, 0});
  });
  // The wait is for the pump's own "done" semaphore, released by the third
  // Dispatch: only the pumping can end it.
  EXPECT_EQ(platform::WaitPumpingMessages(*pump.done, pump), WaitResult::kSignaled);
  poster.join();
  EXPECT_EQ(pump.dispatched, (std::vector<std::uint32_t>{0x10, 0x11, 0x12}));
}

TEST(WaitTest, AWaitWithAPumpReportsOnlyNewMessagesAndTakeHonoursARange) {
  RecordingPump pump;
  auto never = Semaphore::Create(0, 1);
  pump.Post({0x500, 0, 0});
  pump.Post({0x20, 7, -7});
  WaitOptions options;
  options.pump = &pump;
  options.timeout_ms = 20;
  EXPECT_EQ(WaitForObject(*never, options), WaitResult::kMessages);
  EXPECT_EQ(WaitForObject(*never, options), WaitResult::kTimeout);  // seen already

  platform::WindowMessage message;
  ASSERT_TRUE(pump.Take(&message, 0, 0x400));
  EXPECT_EQ(message.message, 0x20u);
  EXPECT_EQ(message.wparam, 7u);
  EXPECT_EQ(message.lparam, -7);
  EXPECT_FALSE(pump.Take(&message, 0, 0x400));
  ASSERT_TRUE(pump.Take(&message));
  EXPECT_EQ(message.message, 0x500u);
}

}  // namespace
}  // namespace rpc_test
