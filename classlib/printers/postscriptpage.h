// The page size of a user-sized page, told to a PostScript device in its own
// language.
//
// A PostScript driver may draw on a user-sized page (its device context has
// the size) and still name one of its own papers as the job's page size,
// since its printer description has no paper of that size: the queue then
// puts the drawing on that paper. Right after the document starts, such a
// device is sent a page size of exactly the user size, which holds for every
// page of the job.
#pragma once
#include <windows.h>

#include "classlib/system/ansistring.h"

// The PostScript that sets a page of these sizes (tenths of a millimetre,
// portrait terms), in points with two decimals.
AnsiString PostScriptPageSize(int widthTenths, int lengthTenths);

// True when the device mode asks for a user size: length and width given,
// and no paper code or the user code.
bool IsUserPageSize(const DEVMODEW& devMode);

// Sends the page size to a device that takes PostScript passed through, when
// the device mode asks for a user size. Call between StartDoc and the first
// StartPage. Returns true when it was sent.
bool TellPostScriptPageSize(HDC dc, const DEVMODEW& devMode);
