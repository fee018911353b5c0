// Drawing of 32-bit bitmaps that carry straight (unpremultiplied) alpha in
// their fourth byte, as PNG images with an alpha channel load.
#pragma once
#include "classlib/graphics/bitmap.h"

// Blends image (pf32bit) over the canvas in r. At the image's own size the
// pixels blend as they are, with a fading mirror image below when reflected;
// at another size colours and alpha are stretched separately with halftone
// smoothing first. The canvas area is composed in a 24-bit work bitmap
// (r's size, half as high again when reflected) and copied back.
void DrawStraightAlphaBitmap(TBitmap& image, TCanvas& canvas, const RECT& r, bool reflected);
