// Horizontal text alignment, shared by controls and data fields.
#pragma once
#include "classlib/classes/typinfo.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
DOZURI_ENUM(TAlignment, "taLeftJustify", "taRightJustify", "taCenter");
