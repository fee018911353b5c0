// The bitmap form of the filtered resampler: scales a 24-bit or 32-bit
// class-library bitmap into another.
#pragma once
#include "classlib/graphics/bitmap.h"
#include "skin/core/smoothresize.h"

// Resamples S to NW x NH into D with filter F (0..6). A pf32bit S keeps its
// alpha; any other S is made pf24bit first. D takes S's format; D may be S.
// At S's own size D becomes a copy of S. Raises Exception "Source bitmap is
// too small" for a source under 2 x 2 (D is left unchanged); a new size of
// 0 or below leaves D empty.
void SmoothResize(TBitmap* S, TBitmap* D, int NW, int NH, int F);
