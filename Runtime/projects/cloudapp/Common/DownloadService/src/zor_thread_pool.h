// CZorThreadPool: worker threads that run queued tasks; the library has
// two, one for transfers and one (CZorThreadPoolDWEvent) for delivering
// asynchronous events.
//
// Threads are made on demand while the pool's limits say more are needed,
// and a thread that finds the queue empty parks itself when fewer than the
// limits' minIdle threads are parked, else ends. One lock guards all state; parked threads
// wait on a condition variable of their own and are handed their next task
// directly, so no wake-up is lost. Every thread is joined: retired ones by
// a later Submit, Stop or Close, all of them by Close.
// Thread safety: any thread. Close must not run on one of the pool's own
// threads (such a thread is left to end by itself).
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <list>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "zor_pool_task.h"

// How many threads a pool makes and keeps.
struct PoolLimits {
  // Parked threads to keep.
  std::size_t minIdle;
  // True when `workers` threads suffice for `queued` waiting tasks.
  bool (*isEnough)(std::size_t workers, std::size_t queued);
};

class CZorThreadPool {
 public:
  // The transfer pool's limits: up to twice the processors, two parked.
  static PoolLimits WorkerLimits();

  explicit CZorThreadPool(PoolLimits limits = WorkerLimits()) : limits_(limits) {}
  // Closes the pool (see Close).
  virtual ~CZorThreadPool();
  CZorThreadPool(const CZorThreadPool&) = delete;
  CZorThreadPool& operator=(const CZorThreadPool&) = delete;

  // Queues the task. False when the pool is closed; the task is then
  // destroyed without running or finishing.
  bool Submit(std::unique_ptr<CZorPoolTask> task);

  // Finishes every queued task unrun, asks every running task to stop, then
  // waits up to timeoutMs for every thread to be idle. True when they are.
  bool Stop(unsigned timeoutMs);

  // Stops one task by serial number: a queued one is finished unrun, a
  // running one is asked to stop. False when no such task is queued or runs.
  bool Cancel(std::uint64_t serial);

  // Finishes unrun, and destroys, every queued task that belongs to `owner`.
  // Running tasks are left alone.
  void DropQueued(const void* owner);

  // For good: refuses later tasks, finishes queued ones unrun, asks running
  // ones to stop and joins every thread.
  void Close();

 private:
  struct Worker {
    std::thread thread;
    std::condition_variable wake;
    std::unique_ptr<CZorPoolTask> task;  // assigned or running
    bool busy = true;
    bool exit = false;
    CZorWorker context;
  };

  void WorkerMain(Worker* worker);
  void RunTask(Worker* worker, std::unique_lock<std::mutex>& lock);
  // Parks the worker until it gets a task or must exit.
  void Park(Worker* worker, std::unique_lock<std::mutex>& lock);
  // Ends the calling worker's thread: its record goes, its thread waits to
  // be joined.
  void Retire(Worker* worker, std::unique_lock<std::mutex>& lock);
  void SetBusy(Worker& worker, bool busy);
  void SpawnWorker();
  std::vector<std::thread> TakeEndedThreads();
  static void Join(std::vector<std::thread>& threads);
  static void FinishAll(std::deque<std::unique_ptr<CZorPoolTask>> tasks);

  const PoolLimits limits_;
  std::mutex mutex_;
  std::condition_variable allIdle_;
  std::deque<std::unique_ptr<CZorPoolTask>> queue_;
  std::list<Worker> workers_;
  std::vector<Worker*> idle_;
  std::vector<std::thread> ended_;
  std::size_t busy_ = 0;
  bool closed_ = false;
};

// The event pool: at least one thread, and one more whenever more than 30
// events per thread wait; one thread stays parked.
class CZorThreadPoolDWEvent : public CZorThreadPool {
 public:
  CZorThreadPoolDWEvent() : CZorThreadPool(EventLimits()) {}

 private:
  static PoolLimits EventLimits();
};
