// The machine's local time from the C library (native build).
#include "classlib/system/clock.h"

#include <chrono>
#include <ctime>

namespace platform {

TSystemTime LocalTimeNow() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  return {static_cast<Word>(local.tm_year + 1900), static_cast<Word>(local.tm_mon + 1),
          static_cast<Word>(local.tm_mday),        static_cast<Word>(local.tm_hour),
          static_cast<Word>(local.tm_min),         static_cast<Word>(local.tm_sec < 60 ? local.tm_sec : 59),
          static_cast<Word>(millis < 0 ? 0 : millis)};
}

}  // namespace platform
