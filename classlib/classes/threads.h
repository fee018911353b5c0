// Threads and synchronization objects over the C++ standard library, so the
// same code runs natively and in the Windows build.
//
// TThread: a subclass overrides Execute and polls Terminated. Because a C++
// base constructor runs before the subclass exists, no thread can safely run
// Execute from TThread's constructor; a thread therefore starts with Start()
// (or Resume()), which a subclass created "running" calls at the end of its
// own constructor. Likewise a running thread must be ended (Terminate and
// WaitFor) in the subclass's destructor: by the time TThread's destructor
// runs, the subclass part that Execute uses is gone. TThread's destructor
// still asks a running thread to stop and joins it, as a last resort.
//
// Synchronize and Queue hand a call to the GUI thread. Until a message loop
// installs its own hook (SetSynchronizeHook), the default hook runs the call
// on the calling thread while holding one process-wide lock, so synchronized
// calls never overlap each other.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "classlib/system/ansistring.h"

constexpr std::uint32_t INFINITE_TIMEOUT = 0xFFFFFFFFu;

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };
enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

using TThreadMethod = std::function<void()>;
// Runs a call "in the GUI thread" and returns when it is done (Synchronize)
// or may return at once (Queue: wait is false).
using TSynchronizeHook = std::function<void(const TThreadMethod& method, bool wait)>;

class TThread {
public:
  explicit TThread(bool createSuspended = true);
  virtual ~TThread();
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  // Starts the thread the first time; later it lifts a Suspend.
  void Start();
  void Resume() { Start(); }
  // Cooperative: the thread holds at its next Synchronize or Queue (or
  // CheckSuspended) until Resume.
  void Suspend();
  bool Suspended() const;

  // Asks Execute to stop; Execute polls Terminated().
  void Terminate();
  bool Terminated() const { return terminated_.load(); }
  // Waits until Execute has returned; returns ReturnValue. A thread never
  // started returns at once. While it waits it keeps calling the wait hook,
  // so a waiting GUI thread still runs the calls the thread synchronizes.
  int WaitFor();
  bool Finished() const { return finished_.load(); }

  bool FreeOnTerminate() const { return freeOnTerminate_; }
  // When set, the thread deletes its object once Execute returns.
  void SetFreeOnTerminate(bool value) { freeOnTerminate_ = value; }
  // Kept for the callers that set it; scheduling is left to the system.
  TThreadPriority Priority() const { return priority_; }
  void SetPriority(TThreadPriority value) { priority_ = value; }
  int ReturnValue() const { return returnValue_; }
  // The message of an exception that escaped Execute ("" when none).
  const AnsiString& FatalException() const { return fatalException_; }

  // Replaces the hook that Synchronize and Queue go through; an empty hook
  // restores the default. Returns the previous hook.
  static TSynchronizeHook SetSynchronizeHook(TSynchronizeHook hook);
  // What WaitFor calls while it waits (empty: nothing); the GUI layer runs
  // the synchronized calls handed to the waiting thread here. Returns the
  // previous hook.
  static std::function<void()> SetWaitHook(std::function<void()> hook);
  // Runs method through the hook; callable from any thread. A thread given
  // here first holds while it is suspended.
  static void Synchronize(TThread* thread, const TThreadMethod& method);
  static void Queue(TThread* thread, const TThreadMethod& method);

protected:
  virtual void Execute() = 0;
  void SetReturnValue(int value) { returnValue_ = value; }
  // Holds while suspended.
  void CheckSuspended();
  // The forms Execute uses.
  void Synchronize(const TThreadMethod& method) { Synchronize(this, method); }
  void Queue(const TThreadMethod& method) { Queue(this, method); }

private:
  void Run();

  mutable std::mutex lock_;
  std::condition_variable changed_;
  std::thread thread_;
  bool started_ = false;
  bool suspended_;
  bool freeOnTerminate_ = false;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  TThreadPriority priority_ = tpNormal;
  int returnValue_ = 0;
  AnsiString fatalException_;
};

// A re-entrant lock: the owning thread may enter again.
class TCriticalSection {
public:
  void Acquire() { lock_.lock(); }
  void Release() { lock_.unlock(); }
  void Enter() { Acquire(); }
  void Leave() { Release(); }
  bool TryEnter() { return lock_.try_lock(); }

private:
  std::recursive_mutex lock_;
};

// An event that threads wait on. A manual-reset event stays signalled until
// ResetEvent; an auto-reset event lets exactly one waiter through and resets.
// (Named TSyncEvent because TEvent is the method-pointer template of events.h.)
class TSyncEvent {
public:
  explicit TSyncEvent(bool manualReset = true, bool initialState = false)
      : manualReset_(manualReset), signalled_(initialState) {}
  TSyncEvent(const TSyncEvent&) = delete;
  TSyncEvent& operator=(const TSyncEvent&) = delete;

  void SetEvent();
  void ResetEvent();
  // timeout in milliseconds; INFINITE_TIMEOUT waits for ever.
  TWaitResult WaitFor(std::uint32_t timeout = INFINITE_TIMEOUT);

private:
  std::mutex lock_;
  std::condition_variable changed_;
  bool manualReset_;
  bool signalled_;
};

// A manual-reset event, created not signalled.
class TSimpleEvent : public TSyncEvent {
public:
  TSimpleEvent() : TSyncEvent(true, false) {}
};
