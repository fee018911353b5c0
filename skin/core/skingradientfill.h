// Painting a skin gradient into a bitmap: vertical and horizontal bands on
// its pixels, the four-corner direction through the system's triangle
// gradient fill (msimg32 GradientFill, looked up when the unit starts).
#pragma once
#include <windows.h>

#include "classlib/graphics/bitmap.h"
#include "skin/core/skingradient.h"

void PaintGradient(TBitmap* B, const RECT& R, const TsGradArray& A, int Off);
// True when GradientFill was found at start-up.
bool TriangleGradientSupported();
