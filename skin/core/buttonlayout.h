// The placement of a glyph and a caption inside a button rectangle by
// layout, alignment, margin and spacing. Portable: no Win32.
#pragma once
#include "skin/core/pixelview.h"

// Where the glyph sits beside the caption.
enum TButtonGlyphLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// How the pair is aligned along the layout's axis: 0 left, 1 right, 2 centre.

// The text format flag that mirrors a left or right glyph.
constexpr unsigned kButtonRightToLeft = 0x0002;  // DT_RIGHT

// Places a glyph of size Glyph and a text of size Text inside R. Margin and
// Spacing of -1 are computed; DT_RIGHT in Flags swaps layouts 0 and 1.
// GlyphPos receives the glyph's top-left corner and TextBounds the text's
// rectangle, both in R's coordinates. Any sizes are accepted; negative
// results stand as computed.
void ComputeButtonLayout(const TPixelRect& R, TPixelPoint Glyph, TPixelPoint Text, int Layout, int Alignment,
                         int Margin, int Spacing, TPixelPoint& GlyphPos, TPixelRect& TextBounds, unsigned Flags);
