// Why a file could not be read or written, told in Turkish. The common
// reasons (missing file, no access, disk full, file in use, damaged content)
// have texts of their own; the system's text follows them only as a detail.
#pragma once
#include "classlib/system/exceptions.h"

// Raised for a file whose content this program did not write.
DOZURI_EXCEPTION(EDamagedFileError, Exception);

// "<Turkish reason> (<the exception's own text>)".
AnsiString FileFailureText(const Exception& failure);
