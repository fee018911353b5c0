#include "skin/core/threadedtimer.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "classlib/forms/application.h"

// What the timer and its worker share. The timer is cut off (nullptr) when
// it is freed, so a tick the worker already handed over finds nothing.
struct TacTimerShared {
  std::mutex Lock;
  std::condition_variable Changed;
  TacThreadedTimer* Timer = nullptr;
  unsigned Interval = 0;
  bool Running = false;
  bool Stop = false;
  // Counts changes, so a wait that was woken by one starts over.
  unsigned Generation = 0;
};

namespace {

bool ApplicationTerminating() { return Application != nullptr && Application->Terminated(); }

}  // namespace

// The worker: waits for the interval and hands each tick to the GUI thread.
class TacTimerThread : public TThread {
public:
  explicit TacTimerThread(std::shared_ptr<TacTimerShared> Shared) : TThread(true), FShared(std::move(Shared)) {}
  ~TacTimerThread() override {
    Terminate();
    WaitFor();
  }

protected:
  void Execute() override {
    std::unique_lock guard(FShared->Lock);
    while (!FShared->Stop && !Terminated()) {
      if (!FShared->Running) {
        FShared->Changed.wait(guard, [this] { return FShared->Stop || FShared->Running; });
        continue;
      }
      const unsigned generation = FShared->Generation;
      const bool changed = FShared->Changed.wait_for(guard, std::chrono::milliseconds(FShared->Interval), [&] {
        return FShared->Stop || FShared->Generation != generation;
      });
      if (changed)
        continue;
      guard.unlock();
      std::shared_ptr<TacTimerShared> shared = FShared;
      Synchronize([shared] { FireTimer(*shared); });
      guard.lock();
    }
  }

private:
  // In the GUI thread: the tick reaches the timer unless it was freed or
  // stopped meanwhile or the application terminates.
  static void FireTimer(TacTimerShared& Shared) {
    TacThreadedTimer* timer;
    {
      std::lock_guard guard(Shared.Lock);
      timer = Shared.Running ? Shared.Timer : nullptr;
    }
    if (timer == nullptr || ApplicationTerminating())
      return;
    ++timer->FTickDepth;
    try {
      timer->Timer();
    } catch (...) {
      // The timer may be gone; only a live one is told the tick is over.
      std::lock_guard guard(Shared.Lock);
      if (Shared.Timer == timer)
        --timer->FTickDepth;
      throw;
    }
    std::lock_guard guard(Shared.Lock);
    if (Shared.Timer == timer)
      --timer->FTickDepth;
  }

  std::shared_ptr<TacTimerShared> FShared;
};

BEGIN_PUBLISHED(TacThreadedTimer)
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Interval, Interval, SetInterval).Default(1000),
  PROPERTY(OnTimer, GetOnTimer, SetOnTimer),
  PROPERTY(ThreadPriority, ThreadPriority, SetThreadPriority),
END_PUBLISHED

TacThreadedTimer::TacThreadedTimer(TComponent* AOwner) : TComponent(AOwner) {
  if (ApplicationTerminating())
    return;
  FEnabled = true;
  FInterval = 1000;
  StartThread();
}

TacThreadedTimer::~TacThreadedTimer() { StopThread(); }

void TacThreadedTimer::StartThread() {
  FShared = std::make_shared<TacTimerShared>();
  FShared->Timer = this;
  FShared->Interval = FInterval;
  FThread = new TacTimerThread(FShared);
  FThread->SetPriority(FThreadPriority);
  FThread->SetFreeOnTerminate(false);
  UpdateThread();
  FThread->Start();
}

void TacThreadedTimer::StopThread() {
  if (FThread == nullptr)
    return;
  {
    std::lock_guard guard(FShared->Lock);
    FShared->Timer = nullptr;
    FShared->Stop = true;
    FShared->Changed.notify_all();
  }
  TacTimerThread* thread = FThread;
  FThread = nullptr;
  if (FTickDepth > 0) {
    // Inside our own tick the worker waits for this call to return: it
    // ends on its own afterwards and frees itself.
    thread->SetFreeOnTerminate(true);
    return;
  }
  delete thread;
}

void TacThreadedTimer::UpdateThread() {
  if (FShared == nullptr)
    return;
  std::lock_guard guard(FShared->Lock);
  FShared->Interval = FInterval;
  FShared->Running = FEnabled && FInterval != 0 && static_cast<bool>(OnTimer);
  ++FShared->Generation;
  FShared->Changed.notify_all();
}

void TacThreadedTimer::SetEnabled(bool Value) {
  FEnabled = Value;
  UpdateThread();
}

void TacThreadedTimer::SetInterval(unsigned Value) {
  FInterval = Value;
  UpdateThread();
}

void TacThreadedTimer::SetThreadPriority(TThreadPriority Value) {
  FThreadPriority = Value;
  if (FThread != nullptr)
    FThread->SetPriority(Value);
  UpdateThread();
}

void TacThreadedTimer::SetOnTimer(const TNotifyEvent& Value) {
  OnTimer = Value;
  UpdateThread();
}

void TacThreadedTimer::Timer() {
  // A copy: the handler may replace OnTimer or free the timer.
  const TNotifyEvent handler = OnTimer;
  if (handler)
    handler(this);
}
