// Which scroll bars a memo, a grid or a rich edit shows.
#pragma once
#include "classlib/classes/typinfo.h"

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
DOZURI_ENUM(TScrollStyle, "ssNone", "ssHorizontal", "ssVertical", "ssBoth");
