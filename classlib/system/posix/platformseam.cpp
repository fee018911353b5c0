// Native stand-ins for the OS seam: enough for the portable tests.
#include "classlib/system/platformseam.h"

#include <cerrno>
#include <cstring>

namespace platform {

AnsiString OsErrorText(unsigned long errorCode) {
  return std::strerror(static_cast<int>(errorCode));
}

unsigned long LastOsError() { return static_cast<unsigned long>(errno); }

}  // namespace platform
