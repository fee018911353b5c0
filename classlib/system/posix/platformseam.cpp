// Native stand-ins for the OS seam: enough for the portable tests.
#include "classlib/system/platformseam.h"

#include "classlib/system/codepage.h"

#include <cerrno>
#include <cstring>

namespace platform {

AnsiString OsErrorText(unsigned long errorCode) {
  return std::strerror(static_cast<int>(errorCode));
}

unsigned long LastOsError() { return static_cast<unsigned long>(errno); }

OsErrorKind KindOfOsError(unsigned long errorCode) {
  switch (static_cast<int>(errorCode)) {
  case ENOENT:
  case ENOTDIR:
    return OsErrorKind::Missing;
  case EACCES:
  case EPERM:
  case EROFS:
  case EISDIR:
    return OsErrorKind::NoAccess;
  case ENOSPC:
  case EDQUOT:
    return OsErrorKind::DiskFull;
  case EBUSY:
  case ETXTBSY:
  case EWOULDBLOCK:
    return OsErrorKind::InUse;
  default:
    return OsErrorKind::Other;
  }
}

// Natively the OEM page is the one a Turkish Windows machine has.
unsigned OemCodePage() { return CodePage857().Number(); }

std::string Utf16ToOem(std::u16string_view text) { return CodePage857().FromUtf16(text); }

std::u16string OemToUtf16(std::string_view bytes) { return CodePage857().ToUtf16(bytes); }

}  // namespace platform
