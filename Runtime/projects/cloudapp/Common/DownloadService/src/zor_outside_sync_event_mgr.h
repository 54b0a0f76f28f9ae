// CZorOutsideSyncEventMgr: the synchronous downloader's event manager.
// Raised events wait in a queue of their own transfer until the thread
// blocked in the download call pumps them; several calls may pump at once,
// each taking only its own transfer's events.
// Thread safety: any thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

#include "zor_error.h"
#include "zor_outside_event_mgr.h"

class CZorOutsideSyncEventMgr : public CZorOutsideEventMgr {
 public:
  // Timeout value meaning "no limit".
  static constexpr unsigned kNoTimeout = 0xFFFFFFFFu;

  // Queues a copy for the transfer's pump. False (and dropped) when the
  // transfer has no open queue.
  bool Raise(const CEventArg& arg) override;

  // A transfer's queue exists from OpenQueue (before the transfer is
  // submitted) to CloseQueue (after its last event was pumped); closing
  // releases whatever it still holds.
  void OpenQueue(std::uint64_t sessionId);
  void CloseQueue(std::uint64_t sessionId);

  // Delivers the transfer's events to the handlers on the calling thread,
  // oldest first, until an end or failed event has been delivered, or until
  // no event came for timeoutSeconds seconds (measured from the start or the
  // last event). Returns the error of the last delivered event that is not
  // a progress event (the ending one's), message 102 on time-out, or 105
  // when the transfer has no open queue.
  CZorError Pump(std::uint64_t sessionId, unsigned timeoutSeconds);

 private:
  // Waits up to the deadline (none when `limited` is false) for the
  // transfer's next event; null when none came, with *closed set when the
  // transfer has no open queue.
  std::unique_ptr<CEventArg> Next(std::uint64_t sessionId, bool limited,
                                  std::chrono::steady_clock::time_point deadline, bool* closed);

  std::mutex queueMutex_;
  std::condition_variable queueChanged_;
  std::map<std::uint64_t, std::deque<std::unique_ptr<CEventArg>>> queues_;
};
