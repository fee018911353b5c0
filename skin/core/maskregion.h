// Skin images of a skin manager drawn into bitmaps and cut out of window
// regions: the pixel image of a TsMaskData (its own bitmap or the master
// bitmap, its rectangle limited to that bitmap), the nine-piece drawing, and
// a window region trimmed by the transparent pixels of an image's corners.
#pragma once
#include <windows.h>

#include "classlib/graphics/bitmap.h"
#include "skin/core/maskpaint.h"
#include "skin/core/skindata.h"

// The image as the pixel painters see it; an unassigned bitmap for an image
// without manager or picture. A damaged rectangle is limited to the bitmap
// so that nothing is read outside it.
TMaskImage MaskImageOf(const TsMaskData& M);

void DrawMaskRect(TBitmap* B, const RECT& R, bool FC, bool CB, int State, const TsMaskData& M,
                  const TPixelBackground& Src);
// Draws M's cell for State over the whole of B and removes every run of
// clFuchsia pixels of its four corners from Rgn (when not 0).
void BuildMaskRegion(TBitmap* B, HRGN Rgn, bool FC, const TsMaskData& M, int State);
