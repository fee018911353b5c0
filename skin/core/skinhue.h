// Turning the hue and changing the saturation of a whole skin as it loads:
// the master bitmap, the skin images with bitmaps of their own and the
// colours of every section.
#pragma once
#include "skin/core/skinloader.h"

// Turns every colour of the skin by Degrees (nothing for 0): master bitmap
// pixels that are neither clFuchsia nor grey, every pixel but clFuchsia of
// the images' own bitmaps (32-bit ones keep their alpha), the section
// colours that are set (not -1), the gradient stops, and the shadow and
// border colours. With GLOBALINFO BIKEEPHUE set, the close icons (with 1
// also the other title icons) keep their colours.
void ChangeSkinHue(TsLoadedSkin& Skin, int Degrees);
// Changes the saturation of the same pixels and section colours (not the
// skin-wide ones) by SaturationPercent(Saturation); nothing for 0.
void ChangeSkinSaturation(TsLoadedSkin& Skin, int Saturation);
// The percent passed to ChangeSaturation: -Saturation mod 101, keeping the
// sign (30 gives -30, -130 gives 29).
constexpr int SaturationPercent(int Saturation) { return -Saturation % 101; }
