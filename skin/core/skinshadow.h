// The pictures of the extended-border shadow: one state image of a skin
// image copied out as a 32-bit bitmap, and the program's own shadow picture
// "acSHDA" for skins without one.
#pragma once
#include <memory>

#include "classlib/graphics/bitmap.h"

struct TsMaskData;

// State image Index (0-based, columns left to right) of the mask, cut from
// Source (the mask's own bitmap or the master bitmap), as a new 32-bit
// bitmap one cell in size. A 32-bit source keeps its alpha; other pixels
// are opaque. nullptr for an empty cell.
std::unique_ptr<TBitmap> CopyMaskImage32(const TsMaskData& Mask, TBitmap& Source, int Index);

// The program's "acSHDA" picture (a PNG resource of type RCDATA, 32 bits),
// loaded at the skin library's start-up; nullptr before it, or when the
// program has none or it does not decode.
TBitmap* BuiltInShadowPicture();
// Replaces what the look-up found (nullptr: no picture), for tests.
void SetBuiltInShadowPicture(std::unique_ptr<TBitmap> Picture);

// Desktop composition is on (dwmapi looked up once; false without it).
bool DwmCompositionEnabled();
