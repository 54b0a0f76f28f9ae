// CZorLibrary: what the library holds for as long as it is loaded.
// Loading initialises libcurl; unloading closes both pools (stopping their
// transfers and joining every thread, which releases every cached handle)
// and only then releases libcurl.
#pragma once

#include "zor_thread_pool.h"

class CZorLibrary {
 public:
  static CZorLibrary& Instance();

  // The pool that runs every transfer of the library.
  CZorThreadPool& WorkerPool() { return workerPool_; }
  // The pool that delivers every asynchronous event of the library. It
  // stays open until the library is unloaded (after the worker pool), so
  // the events of every download the worker pool accepted can be delivered.
  CZorThreadPool& EventPool() { return eventPool_; }

 private:
  struct CurlGlobal {
    CurlGlobal();
    ~CurlGlobal();
  };

  CZorLibrary() = default;

  // Destroyed in reverse order: transfers first, then event deliveries
  // (which transfers feed), then libcurl.
  CurlGlobal curl_;
  CZorThreadPoolDWEvent eventPool_;
  CZorThreadPool workerPool_;
};
