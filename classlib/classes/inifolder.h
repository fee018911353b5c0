// The system's answer to "where is the Windows folder", for bare INI file
// names: Win32 in the Windows build (win/inifolder.cpp), the current folder
// natively (posix/inifolder.cpp).
#pragma once
#include "classlib/system/ansistring.h"

namespace inifolder {

// Without a trailing delimiter.
AnsiString SystemWindowsFolder();

}  // namespace inifolder
