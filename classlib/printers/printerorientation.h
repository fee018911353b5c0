// The orientation of a printed page. Portable (no Win32), so the page setup
// of a report streams and converts it in the native build too.
#pragma once
#include "classlib/classes/typinfo.h"

enum TPrinterOrientation { poPortrait, poLandscape };
DOZURI_ENUM(TPrinterOrientation, "poPortrait", "poLandscape");
