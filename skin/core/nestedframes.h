// A nested three-dimensional frame: Count one-pixel outlines, light on the
// top and left, dark on the bottom and right.
#pragma once
#include <windows.h>

#include "classlib/graphics/colors.h"

// Draws the outlines inside R, the outer one first; R shrinks by one pixel
// on every side per outline and Count ends at 0 (when it was positive).
// TopLeft is resolved as a system colour; BottomRight is used as given.
void DrawNestedFrames(HDC DC, RECT& R, TColor TopLeft, TColor BottomRight, int& Count);
