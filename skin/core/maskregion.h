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
// Draws the cell of M for State at P of B. An image with its own bitmap
// that holds its rectangle, and any masked image, is copied through its
// mask (keyed for MaskType 0), each mask byte m counting as
// min(255, m + 100) unless Mode is 1 (a fainter glyph). Other keyed images
// of a manager: Mode 1 copies the cell with its clFuchsia pixels taken from
// Src; any other Mode blends it half and half. Rows and columns left of or
// above B are dropped.
void DrawMaskGlyph(TBitmap* B, POINT P, int State, const TPixelBackground& Src, const TsMaskData& M, int Mode);
// Draws M's cell for State over the whole of B and removes every run of
// clFuchsia pixels of its four corners from Rgn (when not 0).
void BuildMaskRegion(TBitmap* B, HRGN Rgn, bool FC, const TsMaskData& M, int State);

// Margins, corner limits or edge modes of the nine-part copy, one per side.
struct TNineParts {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};
// Copies S's rectangle SR onto D's rectangle DR in nine parts: corners of
// the margins (limited by Lm, the remainder below or above), edges tiled
// (mode 0) or stretched (1), the centre with FC tiled (0) or stretched (1).
// An empty middle strip draws no tiles.
void CopyNinePartImage(TBitmap* D, TBitmap* S, const RECT& DR, const RECT& SR, const TNineParts& Mg,
                       const TNineParts& Lm, const TNineParts& EdgeModes, int CentreMode, bool FC);
