// Alpha drawing between class-library bitmaps: the bitmap forms of
// DrawAlphaBitmap and CopyPixelChannel, which the PNG picture and the skin
// painters share.
#pragma once
#include <windows.h>

#include "classlib/graphics/bitmap.h"
#include "skin/core/alphablend.h"

// Draws SR of Src with its per-pixel alpha onto DR of the 24-bit Dst, faded
// by Percent, tinted unless TintColor is kNoTint, reflected below DR with
// Reflect. Src is made pf32bit first (it stays so): the drawing reads four
// bytes per source pixel. Nothing is drawn for a nil Src or Dst.
void DrawAlphaBitmap(const RECT& DR, const RECT& SR, TBitmap* Dst, TBitmap* Src, const TPixelBackground& Bg,
                     bool UseBackground, TColor TintColor, int Percent, bool Reflect);
// Copies byte I of every pixel of the 32-bit Bmp32 into the 8-bit Bmp8
// (ToBmp8) or back.
void CopyPixelChannel(TBitmap* Bmp32, TBitmap* Bmp8, int I, bool ToBmp8);
