// The few facts the portable system layer needs from the operating system.
//
// The Windows build answers them with Win32 (win/platformseam.cpp); the native
// build answers with fixed stand-ins (posix/platformseam.cpp). Tests replace
// single answers through the setters of the units that use them.
#pragma once
#include <string>
#include <string_view>

#include "classlib/system/ansistring.h"

namespace platform {

// The system's message text for an OS error code, in code page 1254.
AnsiString OsErrorText(unsigned long errorCode);
// The calling thread's last OS error code.
unsigned long LastOsError();

// The common reasons a file operation fails, read from an OS error code.
enum class OsErrorKind { Other, Missing, NoAccess, DiskFull, InUse };
OsErrorKind KindOfOsError(unsigned long errorCode);

// The machine's OEM code page (857 on a Turkish machine) and conversions
// between it and UTF-16, with the system's best fit for missing characters.
unsigned OemCodePage();
std::string Utf16ToOem(std::u16string_view text);
std::u16string OemToUtf16(std::string_view bytes);

}  // namespace platform
