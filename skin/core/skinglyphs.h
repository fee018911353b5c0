// Glyph strips of skinned buttons drawn into bitmaps: the column for the
// button's state, keyed by the colour at the column's bottom-left pixel,
// greyed or half blended when disabled.
#pragma once
#include <windows.h>

#include "classlib/graphics/bitmap.h"

// How a disabled glyph is drawn: a set of these flags.
enum TsDisabledKindFlag : unsigned { dkBlended = 1, dkGrayed = 2 };
using TsDisabledKind = unsigned;

// Draws the glyph strip G of NumGlyphs columns at R's top-left corner of
// Dst (24-bit). State: 0 normal, 1 hot, 2 pressed; Blend is a transparency
// percent for the normal state.
void PaintGlyphBitmap(TBitmap* G, TBitmap* Dst, const RECT& R, int NumGlyphs, bool Enabled,
                      TsDisabledKind DisabledKind, int State, int Blend, bool Down);
