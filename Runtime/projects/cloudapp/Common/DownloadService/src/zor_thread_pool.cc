#include "zor_thread_pool.h"

#include <algorithm>
#include <chrono>
#include <iterator>

#include "platform/process.h"

CZorThreadPool::~CZorThreadPool() { Close(); }

PoolLimits CZorThreadPool::WorkerLimits() {
  return {2, [](std::size_t workers, std::size_t) {
            return workers >= 2 * static_cast<std::size_t>(platform::ProcessorCount());
          }};
}

PoolLimits CZorThreadPoolDWEvent::EventLimits() {
  return {1, [](std::size_t workers, std::size_t queued) { return workers > 0 && workers * 30 >= queued; }};
}

bool CZorThreadPool::Submit(std::unique_ptr<CZorPoolTask> task) {
  std::vector<std::thread> ended;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_) return false;
    ended = TakeEndedThreads();
    if (!idle_.empty()) {
      Worker* worker = idle_.back();
      idle_.pop_back();
      worker->task = std::move(task);
      SetBusy(*worker, true);
      worker->wake.notify_one();
    } else {
      queue_.push_back(std::move(task));
      if (!limits_.isEnough(workers_.size(), queue_.size())) SpawnWorker();
    }
  }
  Join(ended);
  return true;
}

bool CZorThreadPool::Stop(unsigned timeoutMs) {
  std::deque<std::unique_ptr<CZorPoolTask>> dropped;
  std::vector<std::thread> ended;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    dropped.swap(queue_);
    for (Worker& worker : workers_) {
      if (worker.task) worker.task->RequestStop();
    }
    ended = TakeEndedThreads();
  }
  FinishAll(std::move(dropped));
  Join(ended);
  std::unique_lock<std::mutex> lock(mutex_);
  return allIdle_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return busy_ == 0; });
}

bool CZorThreadPool::Cancel(std::uint64_t serial) {
  std::unique_ptr<CZorPoolTask> queued;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto match = [serial](const std::unique_ptr<CZorPoolTask>& task) { return task->Serial() == serial; };
    const auto found = std::find_if(queue_.begin(), queue_.end(), match);
    if (found != queue_.end()) {
      queued = std::move(*found);
      queue_.erase(found);
    } else {
      for (Worker& worker : workers_) {
        if (worker.task && match(worker.task)) {
          worker.task->RequestStop();
          return true;
        }
      }
      return false;
    }
  }
  queued->Finish();
  return true;
}

void CZorThreadPool::DropQueued(const void* owner) {
  std::deque<std::unique_ptr<CZorPoolTask>> dropped;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto kept = std::stable_partition(queue_.begin(), queue_.end(), [owner](const auto& task) {
      return !task->BelongsTo(owner);
    });
    std::move(kept, queue_.end(), std::back_inserter(dropped));
    queue_.erase(kept, queue_.end());
  }
  FinishAll(std::move(dropped));
}

void CZorThreadPool::Close() {
  std::deque<std::unique_ptr<CZorPoolTask>> dropped;
  std::vector<std::thread> threads;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
    dropped.swap(queue_);
    for (Worker& worker : workers_) {
      if (worker.task) worker.task->RequestStop();
      worker.exit = true;
      worker.wake.notify_one();
      threads.push_back(std::move(worker.thread));
    }
    for (std::thread& thread : TakeEndedThreads()) threads.push_back(std::move(thread));
  }
  FinishAll(std::move(dropped));
  Join(threads);
  std::lock_guard<std::mutex> lock(mutex_);
  // Records of ended threads go; a thread that closes its own pool keeps
  // its record until it has left its loop.
  workers_.remove_if([](const Worker& worker) { return !worker.busy; });
  idle_.clear();
}

void CZorThreadPool::WorkerMain(Worker* worker) {
  std::unique_lock<std::mutex> lock(mutex_);
  while (true) {
    if (!worker->task && !queue_.empty()) {
      worker->task = std::move(queue_.front());
      queue_.pop_front();
    }
    if (worker->task) {
      RunTask(worker, lock);
    } else if (worker->exit) {
      SetBusy(*worker, false);
      return;
    } else if (idle_.size() >= limits_.minIdle) {
      Retire(worker, lock);
      return;
    } else {
      Park(worker, lock);
    }
  }
}

void CZorThreadPool::RunTask(Worker* worker, std::unique_lock<std::mutex>& lock) {
  CZorPoolTask* task = worker->task.get();
  lock.unlock();
  try {
    task->Run(worker->context);
  } catch (...) {
    // A task that fails unexpectedly still finishes.
  }
  try {
    task->Finish();
  } catch (...) {
  }
  lock.lock();
  worker->task.reset();
}

void CZorThreadPool::Park(Worker* worker, std::unique_lock<std::mutex>& lock) {
  idle_.push_back(worker);
  SetBusy(*worker, false);
  worker->wake.wait(lock, [worker] { return worker->task || worker->exit; });
  idle_.erase(std::remove(idle_.begin(), idle_.end(), worker), idle_.end());
}

void CZorThreadPool::Retire(Worker* worker, std::unique_lock<std::mutex>& lock) {
  SetBusy(*worker, false);
  ended_.push_back(std::move(worker->thread));
  CZorWorker context = std::move(worker->context);
  workers_.remove_if([worker](const Worker& w) { return &w == worker; });
  lock.unlock();
  // The thread's libcurl handle is released here, outside the lock; the
  // thread stays joinable until someone joins it.
}

void CZorThreadPool::SetBusy(Worker& worker, bool busy) {
  if (worker.busy == busy) return;
  worker.busy = busy;
  if (busy) {
    ++busy_;
  } else if (--busy_ == 0) {
    allIdle_.notify_all();
  }
}

void CZorThreadPool::SpawnWorker() {
  workers_.emplace_back();
  Worker& worker = workers_.back();
  ++busy_;
  try {
    worker.thread = std::thread(&CZorThreadPool::WorkerMain, this, &worker);
  } catch (...) {
    // No thread: the task waits in the queue for a thread that finishes.
    SetBusy(worker, false);
    workers_.pop_back();
  }
}

std::vector<std::thread> CZorThreadPool::TakeEndedThreads() {
  std::vector<std::thread> ended;
  ended.swap(ended_);
  return ended;
}

void CZorThreadPool::Join(std::vector<std::thread>& threads) {
  for (std::thread& thread : threads) {
    if (!thread.joinable()) continue;
    if (thread.get_id() == std::this_thread::get_id()) {
      thread.detach();
    } else {
      thread.join();
    }
  }
}

void CZorThreadPool::FinishAll(std::deque<std::unique_ptr<CZorPoolTask>> tasks) {
  for (std::unique_ptr<CZorPoolTask>& task : tasks) {
    try {
      task->Finish();
    } catch (...) {
    }
  }
}
