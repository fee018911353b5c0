#include "classlib/system/exceptions.h"

#include "classlib/system/platformseam.h"

AnsiString SysErrorMessage(unsigned long errorCode) { return platform::OsErrorText(errorCode); }

void RaiseLastOSError(unsigned long errorCode) {
  if (errorCode == 0)
    throw EOSError("A call to an OS function failed", 0);
  throw EOSError("System Error.  Code: " + std::to_string(errorCode) + ".\r\n" + SysErrorMessage(errorCode),
                 errorCode);
}

void RaiseLastOSError() { RaiseLastOSError(platform::LastOsError()); }
