// What a pixel of a decoded image shows, and what the reader's conversion
// rules say a PNG sample should show, both as red, green, blue, alpha.
#pragma once
#include <cstdint>
#include <ostream>
#include <vector>

#include "support/png/pngtypes.h"

namespace pngtest {

struct Rgba {
  uint8_t R = 0, G = 0, B = 0, A = 255;
  bool operator==(const Rgba&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Rgba& c);

// The colour at (x, y) of a decoded image: palette entries for indexed
// formats, the stored bytes otherwise; formats without alpha give A = 255.
Rgba DecodedColour(const acpng::TPngImage& image, int x, int y);

// The colour the reader should produce for one PNG pixel given as samples of
// the colour type and depth: 16-bit samples become v*255/65535, 1/2/4-bit grey
// spreads over 0..255, indexed pixels take the palette (RGB triples), grey
// with alpha is opaque grey, RGBA keeps its alpha. No gamma.
Rgba ExpectedColour(uint8_t colourType, uint8_t depth, const uint16_t* samples, const std::vector<uint8_t>& palette);

}  // namespace pngtest
