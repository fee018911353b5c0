// A colour wash over a rectangle of a bitmap, full at the centre to a degree
// set by Percent and fading out in rounded rings towards the edge.
#pragma once
#include <windows.h>

#include "classlib/graphics/bitmap.h"

// Percent is the share of the picture kept at the centre; Steps rings of
// Radius-rounded corners lead out to the untouched edge.
void BlendSoftRoundRect(TBitmap* B, const RECT& R, int Percent, TColor Color, int Steps, int Radius);
