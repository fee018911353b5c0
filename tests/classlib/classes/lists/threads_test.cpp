#include "classlib/classes/threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <vector>

#include "classlib/system/exceptions.h"

namespace {

using namespace std::chrono_literals;

// Counts until terminated, then answers with the count.
class CountingThread : public TThread {
public:
  explicit CountingThread(bool createSuspended) : TThread(createSuspended) {}
  ~CountingThread() override {
    Terminate();
    WaitFor();
  }
  std::atomic<int> count{0};

protected:
  void Execute() override {
    while (!Terminated()) {
      ++count;
      std::this_thread::sleep_for(1ms);
    }
    SetReturnValue(count.load() > 0 ? 42 : -1);
  }
};

class OneShotThread : public TThread {
public:
  OneShotThread(std::atomic<bool>& destroyed, TSyncEvent& done) : TThread(true), destroyed_(destroyed), done_(done) {}
  ~OneShotThread() override { destroyed_ = true; }

protected:
  void Execute() override { done_.SetEvent(); }

private:
  std::atomic<bool>& destroyed_;
  TSyncEvent& done_;
};

class ThrowingThread : public TThread {
public:
  ThrowingThread() : TThread(true) {}

protected:
  void Execute() override { throw EReadError("Stream read error"); }
};

// Calls Synchronize once per event set.
class SynchronizingThread : public TThread {
public:
  SynchronizingThread() : TThread(true) {}
  ~SynchronizingThread() override {
    Terminate();
    go.SetEvent();
    WaitFor();
  }
  TSyncEvent go{false, false};
  std::atomic<int> calls{0};

protected:
  void Execute() override {
    while (!Terminated()) {
      go.WaitFor();
      if (!Terminated())
        Synchronize([this] { ++calls; });
    }
  }
};

}  // namespace

TEST(Thread, SuspendedThreadRunsOnlyAfterStartAndWaitForReturnsItsValue) {
  CountingThread thread(true);
  std::this_thread::sleep_for(20ms);
  EXPECT_EQ(thread.count.load(), 0);
  EXPECT_TRUE(thread.Suspended());
  thread.Start();
  while (thread.count.load() == 0)
    std::this_thread::yield();
  EXPECT_FALSE(thread.Finished());
  thread.Terminate();
  EXPECT_TRUE(thread.Terminated());
  EXPECT_EQ(thread.WaitFor(), 42);
  EXPECT_TRUE(thread.Finished());
}

TEST(Thread, NeverStartedThreadWaitsForNothing) {
  CountingThread thread(true);
  EXPECT_EQ(thread.WaitFor(), 0);
}

TEST(Thread, FreeOnTerminateDeletesTheObject) {
  std::atomic<bool> destroyed{false};
  TSyncEvent done(true, false);
  auto* thread = new OneShotThread(destroyed, done);
  thread->SetFreeOnTerminate(true);
  thread->Start();
  ASSERT_EQ(done.WaitFor(5000), wrSignaled);
  for (int i = 0; i < 5000 && !destroyed.load(); ++i)
    std::this_thread::sleep_for(1ms);
  EXPECT_TRUE(destroyed.load());
}

TEST(Thread, ExceptionInExecuteIsKeptNotLost) {
  ThrowingThread thread;
  thread.Start();
  thread.WaitFor();
  EXPECT_EQ(thread.FatalException(), "Stream read error");
}

TEST(Thread, SynchronizeGoesThroughTheInstalledHookAndSuspendHoldsIt) {
  std::atomic<int> hooked{0};
  TSynchronizeHook previous = TThread::SetSynchronizeHook([&](const TThreadMethod& method, bool wait) {
    ++hooked;
    method();
  });
  {
    SynchronizingThread thread;
    thread.Start();
    thread.go.SetEvent();
    for (int i = 0; i < 5000 && thread.calls.load() == 0; ++i)
      std::this_thread::sleep_for(1ms);
    EXPECT_EQ(thread.calls.load(), 1);
    EXPECT_EQ(hooked.load(), 1);

    thread.Suspend();
    thread.go.SetEvent();
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(thread.calls.load(), 1) << "a suspended thread holds at Synchronize";
    thread.Resume();
    for (int i = 0; i < 5000 && thread.calls.load() == 1; ++i)
      std::this_thread::sleep_for(1ms);
    EXPECT_EQ(thread.calls.load(), 2);
  }
  TThread::SetSynchronizeHook(previous);
}

TEST(Thread, DefaultSynchronizeNeverOverlapsCalls) {
  std::atomic<int> inside{0};
  std::atomic<bool> overlapped{false};
  std::vector<std::thread> workers;
  for (int w = 0; w < 4; ++w)
    workers.emplace_back([&] {
      for (int i = 0; i < 200; ++i)
        TThread::Synchronize(nullptr, [&] {
          if (++inside != 1)
            overlapped = true;
          std::this_thread::yield();
          --inside;
        });
    });
  for (auto& worker : workers)
    worker.join();
  EXPECT_FALSE(overlapped.load());
}

// ---- Events

TEST(Event, WaitForTimesOutWhenNotSignalled) {
  TSyncEvent event(true, false);
  EXPECT_EQ(event.WaitFor(30), wrTimeout);
  event.SetEvent();
  EXPECT_EQ(event.WaitFor(0), wrSignaled);
  EXPECT_EQ(event.WaitFor(0), wrSignaled) << "manual reset stays signalled";
  event.ResetEvent();
  EXPECT_EQ(event.WaitFor(0), wrTimeout);
}

TEST(Event, AutoResetLetsOneWaiterThrough) {
  TSyncEvent event(false, true);
  EXPECT_EQ(event.WaitFor(0), wrSignaled);
  EXPECT_EQ(event.WaitFor(0), wrTimeout);

  std::atomic<int> passed{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 3; ++i)
    waiters.emplace_back([&] {
      if (event.WaitFor(300) == wrSignaled)
        ++passed;
    });
  std::this_thread::sleep_for(30ms);
  event.SetEvent();
  for (auto& waiter : waiters)
    waiter.join();
  EXPECT_EQ(passed.load(), 1);
}

TEST(Event, SimpleEventWakesAWaitingThread) {
  TSimpleEvent event;
  std::thread setter([&] {
    std::this_thread::sleep_for(20ms);
    event.SetEvent();
  });
  EXPECT_EQ(event.WaitFor(INFINITE_TIMEOUT), wrSignaled);
  setter.join();
}

// ---- Critical sections

TEST(CriticalSection, IsReentrantForItsOwnerAndExcludesOthers) {
  TCriticalSection section;
  section.Enter();
  section.Enter();  // the owner may enter again
  bool otherGotIn = true;
  std::thread other([&] {
    otherGotIn = section.TryEnter();
    if (otherGotIn)
      section.Leave();
  });
  other.join();
  EXPECT_FALSE(otherGotIn);
  section.Leave();
  section.Leave();
  std::thread later([&] {
    otherGotIn = section.TryEnter();
    if (otherGotIn)
      section.Leave();
  });
  later.join();
  EXPECT_TRUE(otherGotIn);
}
