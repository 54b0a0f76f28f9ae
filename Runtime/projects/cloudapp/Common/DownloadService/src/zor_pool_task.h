// CZorPoolTask: one unit of work for a CZorThreadPool (a transfer, or the
// delivery of one asynchronous event), and CZorWorker, what a worker
// thread lends to the task it runs.
//
// Every task has a serial number, unique in the process, by which the pool
// and the event managers know it. Stop requests come from any thread; the
// task reads them on the thread that runs it.
#pragma once

#include <atomic>
#include <cstdint>

#include "curl_handle.h"

class CZorWorker {
 public:
  // The thread's libcurl handle, made on first use and reset for every later
  // task, so connections are reused. Null when libcurl cannot make one.
  // *reused tells whether an existing handle was reset.
  CURL* Handle(bool* reused);
  // Replaces the thread's handle (and its connections) with a new one, for
  // when the old one cannot be set up any more. Null when libcurl cannot
  // make one.
  CURL* FreshHandle();

 private:
  CurlHandle handle_;
};

class CZorPoolTask {
 public:
  CZorPoolTask();
  virtual ~CZorPoolTask() = default;
  CZorPoolTask(const CZorPoolTask&) = delete;
  CZorPoolTask& operator=(const CZorPoolTask&) = delete;

  std::uint64_t Serial() const { return serial_; }

  // Runs the task on a worker thread.
  virtual void Run(CZorWorker& worker) = 0;
  // The last step, after Run, or instead of it when the pool drops the task
  // unrun. The pool destroys the task afterwards.
  virtual void Finish() = 0;
  // Whether the task works for `owner` (see CZorThreadPool::DropQueued).
  virtual bool BelongsTo(const void* /*owner*/) const { return false; }

  void RequestStop() { stop_.store(true, std::memory_order_release); }
  bool StopRequested() const { return stop_.load(std::memory_order_acquire); }

 private:
  const std::uint64_t serial_;
  std::atomic<bool> stop_{false};
};
