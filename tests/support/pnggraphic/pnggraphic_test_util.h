// Helpers shared by the PNG picture tests: small PNG files of given pixels,
// loading them into a TPNGGraphic, and reading pixels back.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/graphics/bitmap.h"
#include "support/png/graphic/pnggraphic.h"
#include "tests/support/png/pngbuilder.h"

namespace pnggraphic_test {

using pngtest::Bytes;

// One straight-alpha pixel as the tests write them.
struct Rgba {
  std::uint8_t R, G, B, A;
};

// An 8-bit PNG of the given colour type with the sample rows as written
// (Samples[y][x * channels + c]); extra chunks go before the image data.
Bytes PngOfSamples(std::uint8_t colourType, std::uint8_t depth, const std::vector<std::vector<std::uint16_t>>& rows,
                   const std::vector<Bytes>& chunks = {});
// An 8-bit RGBA PNG of these pixels.
Bytes RgbaPng(const std::vector<std::vector<Rgba>>& rows);
// An 8-bit RGB PNG of these pixels (alpha ignored); extra chunks before IDAT.
Bytes RgbPng(const std::vector<std::vector<Rgba>>& rows, const std::vector<Bytes>& chunks = {});

void LoadPng(TPNGGraphic& graphic, const Bytes& png);

// A 24-bit bitmap of that size in one colour.
void FillBitmap(TBitmap& bitmap, int width, int height, TColor colour);
// The colour of pixel (x, y) of a 24- or 32-bit bitmap, from its scan line.
TColor PixelOf(TBitmap& bitmap, int x, int y);
// Pixel (x, y) of a 32-bit bitmap, blue in the low byte and alpha in the high.
std::uint32_t Pixel32Of(TBitmap& bitmap, int x, int y);
// The largest difference of the red, green and blue channels.
int ColourDistance(TColor a, TColor b);

}  // namespace pnggraphic_test
