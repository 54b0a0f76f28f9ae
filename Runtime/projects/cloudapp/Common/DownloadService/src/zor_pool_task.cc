#include "zor_pool_task.h"

namespace {

std::atomic<std::uint64_t> nextSerial{1};

}  // namespace

CZorPoolTask::CZorPoolTask() : serial_(nextSerial.fetch_add(1, std::memory_order_relaxed)) {}

CURL* CZorWorker::Handle(bool* reused) {
  *reused = handle_ != nullptr;
  if (handle_) {
    curl_easy_reset(handle_.get());
  } else {
    handle_.reset(curl_easy_init());
  }
  return handle_.get();
}

CURL* CZorWorker::FreshHandle() {
  handle_.reset(curl_easy_init());
  return handle_.get();
}
