// The threaded timer: ticks reach the GUI thread through the message loop;
// no handler means no tick; switching it on and off while it ticks, and
// freeing it from inside its own tick, neither hang nor leave a tick behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

#include "classlib/forms/application.h"
#include "skin/core/threadedtimer.h"

namespace {

// Counts the ticks that reach Timer, with or without a handler.
class TCountingTimer : public TacThreadedTimer {
public:
  using TacThreadedTimer::TacThreadedTimer;
  int Ticks = 0;

protected:
  void Timer() override {
    ++Ticks;
    TacThreadedTimer::Timer();
  }
};

// Handles messages (and so the ticks handed over) until Done or Ms passed.
void PumpUntil(const std::function<bool()>& Done, DWORD Ms) {
  const DWORD start = GetTickCount();
  while (!Done() && GetTickCount() - start < Ms) {
    Application->ProcessMessages();
    Sleep(1);
  }
}

TEST(ThreadedTimer, TicksReachTheGuiThreadOnlyWithAHandler) {
  auto* timer = new TCountingTimer(nullptr);
  EXPECT_TRUE(timer->HasThread());
  EXPECT_TRUE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 1000u);
  timer->SetInterval(5);
  PumpUntil([] { return false; }, 150);
  EXPECT_EQ(timer->Ticks, 0) << "without OnTimer the timer never ticks";

  const DWORD gui = GetCurrentThreadId();
  DWORD tickThread = 0;
  timer->SetOnTimer(TNotifyEvent([&](TObject* Sender) {
    EXPECT_EQ(Sender, timer);
    tickThread = GetCurrentThreadId();
  }));
  PumpUntil([&] { return timer->Ticks >= 3; }, 3000);
  EXPECT_GE(timer->Ticks, 3);
  EXPECT_EQ(tickThread, gui);

  timer->SetEnabled(false);
  const int stopped = timer->Ticks;
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(timer->Ticks, stopped) << "a disabled timer stays quiet, also with a tick handed over before";
  timer->SetEnabled(true);
  timer->SetInterval(0);
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(timer->Ticks, stopped) << "interval 0 stays quiet";
  timer->Free();
}

TEST(ThreadedTimer, SwitchingEnabledAThousandTimesWhileTickingEndsWithoutHang) {
  auto* timer = new TCountingTimer(nullptr);
  int handled = 0;
  timer->SetOnTimer(TNotifyEvent([&](TObject*) { ++handled; }));
  timer->SetInterval(1);
  for (int i = 0; i < 1000; ++i) {
    timer->SetEnabled(i % 2 == 1);
    if (i % 50 == 0)
      Application->ProcessMessages();
  }
  timer->SetEnabled(true);
  PumpUntil([&] { return handled > 0; }, 3000);
  EXPECT_GT(handled, 0) << "still ticking after the storm";
  timer->Free();
  const int atFree = handled;
  PumpUntil([] { return false; }, 50);
  EXPECT_EQ(handled, atFree) << "no tick after the timer is freed";
}

TEST(ThreadedTimer, FreeingItFromInsideItsOwnTickIsSafe) {
  int calls = 0;
  TacThreadedTimer* timer = new TacThreadedTimer(nullptr);
  timer->SetInterval(2);
  timer->SetOnTimer(TNotifyEvent([&](TObject* Sender) {
    ++calls;
    static_cast<TacThreadedTimer*>(Sender)->Free();
  }));
  PumpUntil([&] { return calls > 0; }, 3000);
  ASSERT_EQ(calls, 1);
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(calls, 1) << "the freed timer's worker ended and handed over nothing more";
}

}  // namespace
