// Keeping a file aside before its name is used again: a file that could not
// be read whole holds data that a later save must not destroy.
#pragma once
#include "classlib/system/ansistring.h"

// A name beside fileName that no file or folder has yet: "<file>.bak", then
// "<file>.1.bak", "<file>.2.bak" ... (to 999).
AnsiString FreeBackupFileName(const AnsiString& fileName);
