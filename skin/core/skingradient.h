// Gradients of skin sections: the stops parsed from their text form
// ("start;end;share;direction;unused" per stop, ";"-separated, numbers in
// decimal or "$" hexadecimal) and the vertical and horizontal painters on a
// pixel view. Portable: no Win32 (the four-corner fill lives with the
// bitmap routines of the platform).
#pragma once
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "classlib/graphics/colors.h"
#include "skin/core/pixelview.h"

struct TsGradientStop {
  TColor StartColor = 0;
  TColor EndColor = 0;
  std::uint8_t SharePercent = 0;  // share of the height or width, 0..100
  std::int32_t Direction = 0;     // read from the first stop only
};
using TsGradArray = std::vector<TsGradientStop>;

// Bands from top to bottom, from left to right, or a four-corner fill.
enum : std::int32_t { gdVertical = 0, gdHorizontal = 1, gdFourCorner = 2 };

// Replaces A by the stops of the text: five tokens per stop, surplus tokens
// ignored; negative colours become 0, shares are clamped to 0..100. A token
// that is not an integer raises EConvertError; the stops before it stay.
void ParseGradientData(std::string_view Text, TsGradArray& A);

// Paints the vertical or horizontal gradient of A into R (clipped) of a 24
// or 32-bit bitmap; Off moves a vertical gradient down. Other directions and
// formats paint nothing here.
void PaintGradientBands(const TPixelView& B, TPixelRect R, const TsGradArray& A, int Off);
