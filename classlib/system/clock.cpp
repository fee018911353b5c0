// The replaceable clock behind Now, Date and Time.
#include "classlib/system/clock.h"

#include <mutex>
#include <utility>

namespace {

std::mutex clockMutex;
TClockSource installedClock;

}  // namespace

TDateTime SystemClockNow() {
  const TSystemTime now = platform::LocalTimeNow();
  return ComposeDateTime(EncodeDate(now.Year, now.Month, now.Day),
                         EncodeTime(now.Hour, now.Minute, now.Second, now.Milliseconds));
}

TDateTime ClockNow() {
  TClockSource source;
  {
    std::lock_guard<std::mutex> lock(clockMutex);
    source = installedClock;
  }
  return source ? source() : SystemClockNow();
}

TClockSource SetClockSource(TClockSource source) {
  std::lock_guard<std::mutex> lock(clockMutex);
  std::swap(installedClock, source);
  return source;
}

ClockScope::ClockScope(TDateTime fixed)
    : saved_(SetClockSource([fixed] { return fixed; })) {}

ClockScope::ClockScope(TClockSource source) : saved_(SetClockSource(std::move(source))) {}

ClockScope::~ClockScope() { SetClockSource(std::move(saved_)); }
