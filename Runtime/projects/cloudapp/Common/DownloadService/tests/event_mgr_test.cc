// Event managers and arguments: handler registration, dispatch order,
// handlers changed while events are raised from several threads, the
// synchronous pump, the reply road of progress arguments, and an
// asynchronous manager that goes while its events are being delivered.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "event_args.h"
#include "testing/patience.h"
#include "zor_outside_async_event_mgr.h"
#include "zor_outside_sync_event_mgr.h"
#include "zor_thread_pool.h"

namespace {

using namespace ZorTqCloudAppResBuf;

struct Calls {
  std::vector<int> order;
};

bool First(IEventArg*, void* user) {
  static_cast<Calls*>(user)->order.push_back(1);
  return true;
}

bool Second(IEventArg*, void* user) {
  static_cast<Calls*>(user)->order.push_back(2);
  return false;
}

DownloadNames Names() { return {u"f.bin", u"/tmp/d", u"http://h/f.bin", u"/tmp/d/f.bin"}; }

std::unique_ptr<CEventArg> Event(int type, std::uint64_t session) {
  std::unique_ptr<CEventArg> arg;
  switch (type) {
    case EN_EVENT_BEGIN: arg = std::make_unique<CDownloadBeginEventArg>(Names()); break;
    case EN_EVENT_PROGRESS: arg = std::make_unique<CDownloadProgressEventArg>(Names(), 100, 30, 30); break;
    case EN_EVENT_END: arg = std::make_unique<CDownloadEndEventArg>(Names()); break;
    default: {
      CZorError error;
      error.RecordHttp(404);
      arg = std::make_unique<CDownloadFailedEventArg>(Names(), error);
    }
  }
  arg->SetSessionId(session);
  arg->SetUserData(7);
  return arg;
}

TEST(EventMgr, HandlersAreIdentifiedByFunctionAndUser) {
  CZorOutsideSyncEventMgr mgr;
  Calls a, b;
  EXPECT_TRUE(mgr.AddHandler(EN_EVENT_END, First, &a));
  EXPECT_FALSE(mgr.AddHandler(EN_EVENT_END, First, &a));
  EXPECT_TRUE(mgr.AddHandler(EN_EVENT_END, First, &b));
  EXPECT_TRUE(mgr.AddHandler(EN_EVENT_BEGIN, First, &a));
  EXPECT_FALSE(mgr.RemoveHandler(EN_EVENT_END, Second, &a));
  EXPECT_FALSE(mgr.RemoveHandler(EN_EVENT_FAILED, First, &a));
  // A null user removes the first entry of the function, whatever its user.
  EXPECT_TRUE(mgr.RemoveHandler(EN_EVENT_END, First, nullptr));
  std::unique_ptr<CEventArg> end = Event(EN_EVENT_END, 1);
  mgr.Dispatch(*end);
  EXPECT_TRUE(a.order.empty());
  EXPECT_EQ(b.order.size(), 1u);
  mgr.RemoveAllHandlers();
  EXPECT_FALSE(mgr.Dispatch(*end));
  EXPECT_EQ(b.order.size(), 1u);
}

TEST(EventMgr, EveryHandlerRunsInRegistrationOrder) {
  CZorOutsideSyncEventMgr mgr;
  Calls calls;
  mgr.AddHandler(EN_EVENT_BEGIN, First, &calls);
  mgr.AddHandler(EN_EVENT_BEGIN, Second, &calls);
  std::unique_ptr<CEventArg> begin = Event(EN_EVENT_BEGIN, 1);
  EXPECT_TRUE(mgr.Dispatch(*begin));  // one handler took it
  EXPECT_EQ(calls.order, (std::vector<int>{1, 2}));
  mgr.RemoveHandler(EN_EVENT_BEGIN, First, &calls);
  EXPECT_FALSE(mgr.Dispatch(*begin));  // only Second, which returns false
}

TEST(EventArgs, ViewsAgreeAndClonesCopyEveryField) {
  std::unique_ptr<CEventArg> failed = Event(EN_EVENT_FAILED, 9);
  IEventArg* view = failed.get();
  EXPECT_EQ(view->GetEventKind(), view->GetEventType());
  EXPECT_EQ(view->GetUserData(), 7);
  auto* asError = dynamic_cast<IDWError*>(view);
  ASSERT_NE(asError, nullptr);
  EXPECT_EQ(asError->GetErrorCode(), failed->Error().Code());
  EXPECT_EQ(asError->GetDetailCode(), 404);
  EXPECT_EQ(dynamic_cast<IDownloadProgressEventArg*>(view), nullptr);

  std::unique_ptr<CEventArg> progress = Event(EN_EVENT_PROGRESS, 3);
  auto* p = dynamic_cast<IDownloadProgressEventArg*>(static_cast<IEventArg*>(progress.get()));
  ASSERT_NE(p, nullptr);
  p->SetCancel(true);
  std::unique_ptr<CEventArg> copy = progress->Clone();
  auto* q = dynamic_cast<IDownloadProgressEventArg*>(static_cast<IEventArg*>(copy.get()));
  ASSERT_NE(q, nullptr);
  EXPECT_TRUE(q->IsCancel());
  EXPECT_EQ(q->GetTotalBytes(), 100);
  EXPECT_EQ(q->GetDownloadedBytes(), 30);
  EXPECT_EQ(q->GetDeltaBytes(), 30);
  EXPECT_EQ(copy->SessionId(), 3u);
  EXPECT_TRUE(copy->WantsReply());
  EXPECT_EQ(std::u16string(q->GetLocalPath()), u"/tmp/d/f.bin");
  EXPECT_EQ(std::u16string(q->GetUrl()), u"http://h/f.bin");
}

// Handlers are added and removed, also from inside handlers, while several
// threads raise events: no lock is held while a handler runs, and every
// dispatch sees a consistent list.
TEST(EventMgr, HandlersChangeWhileSeveralThreadsRaise) {
  CZorOutsideSyncEventMgr mgr;
  static std::atomic<int> counted{0};
  static CZorOutsideSyncEventMgr* shared = nullptr;
  shared = &mgr;
  counted = 0;
  const EventHandler count = [](IEventArg*, void*) {
    counted.fetch_add(1);
    return true;
  };
  // Removes itself and adds itself again from inside the dispatch.
  const EventHandler flip = [](IEventArg*, void* user) {
    shared->RemoveHandler(EN_EVENT_PROGRESS, *static_cast<EventHandler*>(user), user);
    shared->AddHandler(EN_EVENT_PROGRESS, *static_cast<EventHandler*>(user), user);
    return false;
  };
  EventHandler flipSelf = flip;
  mgr.AddHandler(EN_EVENT_PROGRESS, count, nullptr);
  mgr.AddHandler(EN_EVENT_PROGRESS, flip, &flipSelf);

  std::atomic<bool> done{false};
  std::vector<std::thread> raisers;
  for (int t = 0; t < 4; ++t) {
    raisers.emplace_back([&mgr, t] {
      std::unique_ptr<CEventArg> arg = Event(EN_EVENT_PROGRESS, t);
      for (int i = 0; i < 2000; ++i) EXPECT_TRUE(mgr.Dispatch(*arg));
    });
  }
  std::thread changer([&] {
    std::vector<int> users(50);
    while (!done.load()) {
      for (int& u : users) mgr.AddHandler(EN_EVENT_PROGRESS, count, &u);
      for (int& u : users) mgr.RemoveHandler(EN_EVENT_PROGRESS, count, &u);
    }
  });
  for (std::thread& t : raisers) t.join();
  done = true;
  changer.join();
  EXPECT_GE(counted.load(), 4 * 2000);
  shared = nullptr;
}

class SyncPump : public ::testing::Test {
 protected:
  static bool Record(IEventArg* arg, void* user) {
    static_cast<std::vector<int>*>(user)->push_back(arg->GetEventType());
    return true;
  }
  void SetUp() override {
    for (int type = EN_EVENT_BEGIN; type <= EN_EVENT_FAILED; ++type) mgr_.AddHandler(type, Record, &seen_);
  }

  CZorOutsideSyncEventMgr mgr_;
  std::vector<int> seen_;
};

TEST_F(SyncPump, EachPumpTakesOnlyItsOwnTransfersEvents) {
  mgr_.OpenQueue(1);
  mgr_.OpenQueue(2);
  EXPECT_TRUE(mgr_.Raise(*Event(EN_EVENT_BEGIN, 2)));
  EXPECT_TRUE(mgr_.Raise(*Event(EN_EVENT_BEGIN, 1)));
  EXPECT_TRUE(mgr_.Raise(*Event(EN_EVENT_FAILED, 2)));
  EXPECT_TRUE(mgr_.Raise(*Event(EN_EVENT_END, 1)));
  EXPECT_FALSE(mgr_.Raise(*Event(EN_EVENT_END, 3)));  // no open queue

  CZorError first = mgr_.Pump(1, CZorOutsideSyncEventMgr::kNoTimeout);
  EXPECT_TRUE(first.IsSuccess());
  EXPECT_EQ(seen_, (std::vector<int>{EN_EVENT_BEGIN, EN_EVENT_END}));
  CZorError second = mgr_.Pump(2, 5);
  EXPECT_EQ(second.GetErrorCode(), (106ull << 32) + 404);
  mgr_.CloseQueue(1);
  mgr_.CloseQueue(2);
  EXPECT_EQ(mgr_.Pump(1, 5).GetMessageId(), EN_MSG_CANCELLED);  // queue gone: never waits
}

TEST_F(SyncPump, TimeOutCountsFromTheLastEvent) {
  mgr_.OpenQueue(1);
  mgr_.Raise(*Event(EN_EVENT_BEGIN, 1));
  mgr_.Raise(*Event(EN_EVENT_PROGRESS, 1));
  // Limit 0: the first event that does not end the transfer uses it up.
  EXPECT_EQ(mgr_.Pump(1, 0).GetErrorCode(), 102ull << 32);
  EXPECT_EQ(seen_, (std::vector<int>{EN_EVENT_BEGIN}));
  // An ending event first in the queue still ends the pump normally.
  mgr_.Raise(*Event(EN_EVENT_END, 1));
  seen_.clear();
  mgr_.Pump(1, 1);
  EXPECT_EQ(seen_, (std::vector<int>{EN_EVENT_PROGRESS, EN_EVENT_END}));

  // A raiser on another thread wakes a pump that has no limit.
  mgr_.OpenQueue(5);
  std::thread raiser([this] { mgr_.Raise(*Event(EN_EVENT_END, 5)); });
  EXPECT_TRUE(mgr_.Pump(5, CZorOutsideSyncEventMgr::kNoTimeout).IsSuccess());
  raiser.join();
}

TEST_F(SyncPump, ProgressArgumentsReturnAsRepliesWhileTheTransferIsOpen) {
  static const EventHandler cancel = [](IEventArg* arg, void*) {
    dynamic_cast<IDownloadProgressEventArg*>(arg)->SetCancel(true);
    return true;
  };
  mgr_.AddHandler(EN_EVENT_PROGRESS, cancel, nullptr);
  mgr_.OpenSession(1);
  mgr_.OpenQueue(1);
  mgr_.Raise(*Event(EN_EVENT_PROGRESS, 1));
  mgr_.Raise(*Event(EN_EVENT_END, 1));
  mgr_.Pump(1, 5);
  EXPECT_EQ(mgr_.TakeReply(1, EN_EVENT_BEGIN), nullptr);
  std::unique_ptr<CEventArg> reply = mgr_.TakeReply(1, EN_EVENT_PROGRESS);
  ASSERT_NE(reply, nullptr);
  EXPECT_TRUE(dynamic_cast<IDownloadProgressEventArg*>(static_cast<IEventArg*>(reply.get()))->IsCancel());
  EXPECT_EQ(mgr_.TakeReply(1, EN_EVENT_PROGRESS), nullptr);

  // After the transfer closed, replies are released instead of filed.
  mgr_.CloseSession(1);
  mgr_.Raise(*Event(EN_EVENT_PROGRESS, 1));
  mgr_.Raise(*Event(EN_EVENT_END, 1));
  mgr_.Pump(1, 5);
  EXPECT_EQ(mgr_.TakeReply(1, EN_EVENT_PROGRESS), nullptr);
  mgr_.CloseQueue(1);
}

}  // namespace

namespace {

// Holds every handler that enters it until it is opened, and counts the
// arguments of its events that were released (delivered or dropped).
struct Gate {
  std::mutex mutex;
  std::condition_variable changed;
  int entered = 0, released = 0;
  bool open = false;

  static bool Pass(IEventArg*, void* self) {
    auto* gate = static_cast<Gate*>(self);
    std::unique_lock<std::mutex> lock(gate->mutex);
    ++gate->entered;
    gate->changed.notify_all();
    gate->changed.wait(lock, [gate] { return gate->open; });
    return true;
  }
  void Released() {
    std::lock_guard<std::mutex> lock(mutex);
    ++released;
    changed.notify_all();
  }
  // False after the build's patience (a hang guard, not a timing assertion).
  bool WaitFor(const int Gate::*counter, int count) {
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, lumarine_testing::Patience(), [&] { return this->*counter >= count; });
  }
  void Open() {
    std::lock_guard<std::mutex> lock(mutex);
    open = true;
    changed.notify_all();
  }
};

// A begin event whose copies tell the gate when they are released.
class GateEvent : public CDownloadBeginEventArg {
 public:
  explicit GateEvent(Gate& gate) : CDownloadBeginEventArg(Names()), gate_(gate) {}
  GateEvent(const GateEvent& other) : CDownloadBeginEventArg(other), gate_(other.gate_) {}
  ~GateEvent() override {
    if (copy_) gate_.Released();
  }
  std::unique_ptr<CEventArg> Clone() const override {
    auto copy = std::make_unique<GateEvent>(*this);
    copy->copy_ = true;
    return copy;
  }

 private:
  Gate& gate_;
  bool copy_ = false;
};

// A manager that goes withdraws its deliveries that wait in the shared
// event pool and waits for the one that runs; the pool stays open for the
// other managers.
TEST(AsyncEventMgr, GoingWithdrawsWaitingDeliveriesAndWaitsForTheRunningOne) {
  CZorThreadPool eventPool({1, [](std::size_t workers, std::size_t) { return workers >= 1; }});
  Gate gate;
  auto going = std::make_unique<CZorOutsideAsyncEventMgr>(eventPool);
  going->AddHandler(EN_EVENT_BEGIN, Gate::Pass, &gate);
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(going->Raise(GateEvent(gate)));
  ASSERT_TRUE(gate.WaitFor(&Gate::entered, 1));  // the pool's one thread is held; four deliveries wait
  std::atomic<bool> gone{false};
  std::thread destroyer([&] {
    going.reset();
    gone = true;
  });
  const bool withdrawn = gate.WaitFor(&Gate::released, 4);  // only withdrawing can release them
  EXPECT_TRUE(withdrawn);
  EXPECT_FALSE(gone.load());  // its handler still runs
  gate.Open();
  destroyer.join();
  EXPECT_EQ(gate.entered, 1);
  EXPECT_EQ(gate.released, 5);

  CZorOutsideAsyncEventMgr staying(eventPool);
  Gate open;
  open.Open();
  staying.AddHandler(EN_EVENT_END, Gate::Pass, &open);
  ASSERT_TRUE(staying.Raise(*Event(EN_EVENT_END, 2)));
  EXPECT_TRUE(open.WaitFor(&Gate::entered, 1));
}

}  // namespace
