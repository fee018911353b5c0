#include "classlib/forms/timer.h"

#include <gtest/gtest.h>

#include "forms_test_util.h"

namespace {

using forms_test::Owned;
using forms_test::PumpUntil;

TEST(TimerTest, FiresWhileEnabledAndStopsWhenDisabled) {
  Owned<TTimer> timer{new TTimer(nullptr)};
  int ticks = 0;
  timer->SetInterval(20);
  timer->OnTimer = [&](TObject* sender) {
    EXPECT_EQ(sender, timer.get());
    if (++ticks == 3)
      timer->SetEnabled(false);
  };
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  Sleep(100);
  Application->ProcessMessages();
  EXPECT_EQ(ticks, 3);
}

TEST(TimerTest, ADisabledTimerNeverFires) {
  Owned<TTimer> timer{new TTimer(nullptr)};
  timer->SetEnabled(false);
  timer->SetInterval(10);
  int ticks = 0;
  timer->OnTimer = [&](TObject*) { ++ticks; };
  Sleep(60);
  Application->ProcessMessages();
  EXPECT_EQ(ticks, 0);
  timer->SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ticks > 0; }));
}

TEST(TimerTest, AnExceptionInOnTimerReachesTheApplication) {
  Owned<TTimer> timer{new TTimer(nullptr)};
  timer->SetInterval(10);
  timer->OnTimer = [&](TObject*) {
    timer->SetEnabled(false);
    throw EConvertError("bad tick");
  };
  AnsiString seen;
  Application->OnException = [&](TObject*, Exception* e) { seen = e->Message; };
  EXPECT_TRUE(PumpUntil([&] { return !seen.empty(); }));
  Application->OnException = nullptr;
  EXPECT_EQ(seen, "bad tick");
}

}  // namespace
