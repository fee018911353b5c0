// Icons made from PNG pictures (for image lists) and the clean-up of
// transparent white in 32-bit images.
#pragma once
#include <windows.h>

class TBitmap;
class TPNGGraphic;

// An icon of the picture with a 1-bit mask. With colourMask, or when the
// picture has no alpha channel, the picture becomes 32-bit and every pixel of
// its top-left pixel's value is transparent; otherwise the mask is all opaque
// and the alpha channel shapes the icon. The caller destroys the icon.
HICON MakeIconFromPng(TPNGGraphic& png, bool colourMask);
// A 32-bit icon with the picture's alpha. A picture without alpha becomes
// 32-bit first: fuchsia pixels transparent, the rest opaque. The mask is
// transparent exactly where alpha is 0. The caller destroys the icon.
HICON MakeAlphaIconFromPng(TPNGGraphic& png);
// In a 32-bit bitmap of at least 2 x 2 pixels, fully transparent white pixels
// become fully transparent black.
void ZeroTransparentWhite(TBitmap& bitmap);
