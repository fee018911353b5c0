// The one failure the workbook readers raise: a Turkish message saying what is
// wrong. The part readers describe the fault; the reader that opened the file
// puts the file's name in front before the message reaches the user.
#pragma once
#include "classlib/system/exceptions.h"

DOZURI_EXCEPTION(EWorkbookError, Exception);
