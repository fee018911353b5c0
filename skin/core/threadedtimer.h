// TacThreadedTimer: a timer component whose ticks come from a worker thread
// and are handed to the GUI thread, so they arrive on time even while the
// GUI thread is busy in a modal loop of its own. The animated hide of
// skinned forms runs on it.
//
// The worker never gets suspended: it waits on a condition with the
// interval as time-out, and every change of Enabled, Interval or OnTimer
// (and freeing the timer) only flips the shared state and wakes it. A timer
// that is disabled, has interval 0 or has no handler makes the worker wait
// without a time-out. A timer made while the application terminates gets no
// thread at all (Enabled False, Interval 0).
//
// Freeing the timer, also from inside its own tick, cuts the worker off
// first: a tick already handed to the GUI thread then finds no timer and
// does nothing; so does a tick that arrives after the timer was stopped.
#pragma once
#include <memory>

#include "classlib/classes/component.h"
#include "classlib/classes/events.h"
#include "classlib/classes/threads.h"
#include "classlib/classes/typinfo.h"

DOZURI_ENUM(TThreadPriority, "tpIdle", "tpLowest", "tpLower", "tpNormal", "tpHigher", "tpHighest", "tpTimeCritical");

class TacTimerThread;
struct TacTimerShared;

class TacThreadedTimer : public TComponent {
  DECLARE_CLASS(TacThreadedTimer, TComponent)

public:
  explicit TacThreadedTimer(TComponent* AOwner);
  ~TacThreadedTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned Value);
  TThreadPriority ThreadPriority() const { return FThreadPriority; }
  void SetThreadPriority(TThreadPriority Value);
  const TNotifyEvent& GetOnTimer() const { return OnTimer; }
  void SetOnTimer(const TNotifyEvent& Value);

  // Called in the GUI thread for every tick: OnTimer(this) when assigned.
  // Set OnTimer through SetOnTimer, so the worker learns of it.
  TNotifyEvent OnTimer;

  // True while a thread serves the timer.
  bool HasThread() const { return FThread != nullptr; }

protected:
  virtual void Timer();

private:
  friend class TacTimerThread;
  void StartThread();
  void StopThread();
  // Tells the worker the state it runs in now.
  void UpdateThread();

  bool FEnabled = false;
  unsigned FInterval = 0;
  TThreadPriority FThreadPriority = tpNormal;
  std::shared_ptr<TacTimerShared> FShared;
  TacTimerThread* FThread = nullptr;
  // Depth of ticks of this timer running now; freeing it inside one does
  // not wait for the worker, which is waiting for that very tick.
  int FTickDepth = 0;
};
