// The machine's local time from Windows.
#include "classlib/system/clock.h"

#include <windows.h>

namespace platform {

TSystemTime LocalTimeNow() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

}  // namespace platform
