// The thread pool on its own: hand-off without lost wake-ups, the worker
// limit, Stop, Cancel, DropQueued and Close with queued and running tasks.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "testing/patience.h"
#include "zor_thread_pool.h"

namespace {

// How long Stop may take to end the tasks: only a hang exceeds it.
const std::uint32_t kPatienceMs = static_cast<std::uint32_t>(lumarine_testing::PatienceMs());

// Counts runs and finishes; a blocking task waits until released or asked
// to stop.
struct Board {
  std::mutex mutex;
  std::condition_variable changed;
  int running = 0, ran = 0, finished = 0, stopped = 0;
  bool release = false;

  void WaitRunning(int count) {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [&] { return running >= count; });
  }
  void WaitFinished(int count) {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [&] { return finished >= count; });
  }
};

class Task : public CZorPoolTask {
 public:
  Task(Board& board, bool blocking, const void* owner = nullptr)
      : board_(board), blocking_(blocking), owner_(owner) {}
  void Run(CZorWorker&) override {
    std::unique_lock<std::mutex> lock(board_.mutex);
    ++board_.running;
    board_.changed.notify_all();
    while (blocking_ && !board_.release && !StopRequested()) {
      board_.changed.wait_for(lock, std::chrono::milliseconds(5));
    }
    board_.stopped += StopRequested();
    ++board_.ran;
  }
  void Finish() override {
    std::lock_guard<std::mutex> lock(board_.mutex);
    ++board_.finished;
    board_.changed.notify_all();
  }
  bool BelongsTo(const void* owner) const override { return owner_ && owner == owner_; }

 private:
  Board& board_;
  bool blocking_;
  const void* owner_;
};

class TwoWorkers : public CZorThreadPool {
 public:
  TwoWorkers() : CZorThreadPool({2, [](std::size_t workers, std::size_t) { return workers >= 2; }}) {}
};

TEST(ThreadPool, ManyQuickTasksFromSeveralThreadsAllRun) {
  Board board;
  {
    CZorThreadPool pool;
    std::vector<std::thread> submitters;
    for (int t = 0; t < 4; ++t) {
      submitters.emplace_back([&] {
        for (int i = 0; i < 500; ++i) ASSERT_TRUE(pool.Submit(std::make_unique<Task>(board, false)));
      });
    }
    for (std::thread& t : submitters) t.join();
    board.WaitFinished(2000);
  }
  EXPECT_EQ(board.ran, 2000);  // no hand-off was lost
}

TEST(ThreadPool, ExtraTasksWaitForAFreeWorker) {
  Board board;
  TwoWorkers pool;
  for (int i = 0; i < 3; ++i) pool.Submit(std::make_unique<Task>(board, true));
  board.WaitRunning(2);
  {
    std::lock_guard<std::mutex> lock(board.mutex);
    EXPECT_EQ(board.running, 2);  // the third waits in the queue
    board.release = true;
  }
  board.changed.notify_all();
  board.WaitFinished(3);
  EXPECT_EQ(board.ran, 3);
  EXPECT_EQ(board.stopped, 0);
}

TEST(ThreadPool, StopDropsQueuedAndStopsRunningTasks) {
  Board board;
  TwoWorkers pool;
  for (int i = 0; i < 5; ++i) pool.Submit(std::make_unique<Task>(board, true));
  board.WaitRunning(2);
  EXPECT_TRUE(pool.Stop(kPatienceMs));
  EXPECT_EQ(board.ran, 2);
  EXPECT_EQ(board.stopped, 2);
  EXPECT_EQ(board.finished, 5);
  // Still open afterwards.
  EXPECT_TRUE(pool.Submit(std::make_unique<Task>(board, false)));
  board.WaitFinished(6);
  EXPECT_EQ(board.ran, 3);
}

TEST(ThreadPool, CancelFindsOneTaskByNumber) {
  Board board;
  TwoWorkers pool;
  auto first = std::make_unique<Task>(board, true);
  auto second = std::make_unique<Task>(board, true);
  auto queued = std::make_unique<Task>(board, true);
  const std::uint64_t running = first->Serial(), waiting = queued->Serial();
  pool.Submit(std::move(first));
  pool.Submit(std::move(second));
  board.WaitRunning(2);
  pool.Submit(std::move(queued));
  EXPECT_TRUE(pool.Cancel(waiting));  // finished unrun
  EXPECT_TRUE(pool.Cancel(running));  // asked to stop
  EXPECT_FALSE(pool.Cancel(999999999));
  {
    std::lock_guard<std::mutex> lock(board.mutex);
    board.release = true;
  }
  EXPECT_TRUE(pool.Stop(kPatienceMs));
  EXPECT_EQ(board.ran, 2);
  EXPECT_EQ(board.finished, 3);
}

TEST(ThreadPool, DropQueuedFinishesOnlyTheOwnersWaitingTasks) {
  Board board;
  TwoWorkers pool;
  int owner = 0, other = 0;
  for (int i = 0; i < 2; ++i) pool.Submit(std::make_unique<Task>(board, true, &owner));
  board.WaitRunning(2);
  for (const void* who : {&owner, &other, &owner, &other}) pool.Submit(std::make_unique<Task>(board, true, who));
  pool.DropQueued(&owner);
  EXPECT_EQ(board.finished, 2);  // the owner's two waiting tasks, unrun
  EXPECT_EQ(board.ran, 0);       // its running ones are left alone
  {
    std::lock_guard<std::mutex> lock(board.mutex);
    board.release = true;
  }
  board.changed.notify_all();
  board.WaitFinished(6);
  EXPECT_EQ(board.ran, 4);
  EXPECT_EQ(board.stopped, 0);
}

TEST(ThreadPool, CloseRefusesLaterTasksAndJoinsEveryThread) {
  Board board;
  auto pool = std::make_unique<TwoWorkers>();
  for (int i = 0; i < 4; ++i) pool->Submit(std::make_unique<Task>(board, true));
  board.WaitRunning(2);
  pool->Close();
  EXPECT_EQ(board.finished, 4);
  EXPECT_EQ(board.stopped, 2);
  EXPECT_FALSE(pool->Submit(std::make_unique<Task>(board, false)));
  pool.reset();
  EXPECT_EQ(board.finished, 4);  // the refused task was destroyed unfinished
}

TEST(ThreadPool, EventPoolGrowsWithItsBacklog) {
  Board board;
  CZorThreadPoolDWEvent pool;
  for (int i = 0; i < 100; ++i) pool.Submit(std::make_unique<Task>(board, true));
  board.WaitRunning(2);  // 99 waiting events are more than 30 for one thread
  {
    std::lock_guard<std::mutex> lock(board.mutex);
    board.release = true;
  }
  EXPECT_TRUE(pool.Stop(kPatienceMs));
  EXPECT_EQ(board.finished, 100);
}

}  // namespace
