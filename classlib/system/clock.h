// The clock that Now, Date and Time read.
//
// By default it is the machine's local time: the Windows build asks Windows
// (GetLocalTime, win/clock.cpp), the native build the C library's local time
// (posix/clock.cpp). Tests install a fixed or scripted time with ClockScope so
// that anything depending on today's date is repeatable.
#pragma once
#include <functional>

#include "classlib/system/datetime.h"

// The local time broken into its fields, as the operating system gives it.
struct TSystemTime {
  Word Year = 0;
  Word Month = 0;
  Word Day = 0;
  Word Hour = 0;
  Word Minute = 0;
  Word Second = 0;
  Word Milliseconds = 0;
};

namespace platform {
// The machine's current local time.
TSystemTime LocalTimeNow();
}  // namespace platform

// The machine's local time as a TDateTime.
TDateTime SystemClockNow();

// A replacement clock; an empty function stands for the machine's clock.
using TClockSource = std::function<TDateTime()>;

// The current time of the installed clock.
TDateTime ClockNow();
// Installs a clock (empty = the machine's) and answers the one it replaces.
TClockSource SetClockSource(TClockSource source);

// Installs a clock for the lifetime of the scope, then restores the old one.
class ClockScope {
public:
  explicit ClockScope(TDateTime fixed);
  explicit ClockScope(TClockSource source);
  ~ClockScope();
  ClockScope(const ClockScope&) = delete;
  ClockScope& operator=(const ClockScope&) = delete;

private:
  TClockSource saved_;
};
