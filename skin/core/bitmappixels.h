// The pixels of a class-library bitmap as a pixel view, so the portable
// pixel routines of the skin library draw straight into its DIB section.
#pragma once
#include "classlib/graphics/bitmap.h"
#include "skin/core/pixelview.h"

// The pixels of a bitmap (its DIB section; a device bitmap becomes one).
// An empty view for nil or an empty bitmap.
TPixelView PixelViewOf(TBitmap* Bitmap);
