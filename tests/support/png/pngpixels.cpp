#include "tests/support/png/pngpixels.h"

namespace pngtest {

std::ostream& operator<<(std::ostream& os, const Rgba& c) {
  return os << "(" << int(c.R) << "," << int(c.G) << "," << int(c.B) << "," << int(c.A) << ")";
}

Rgba DecodedColour(const acpng::TPngImage& image, int x, int y) {
  const uint8_t* line = image.ScanLine(y);
  auto fromPalette = [&](unsigned index) {
    if (index >= image.Palette.size()) return Rgba{0, 0, 0, 0};  // marks a missing entry
    const auto& e = image.Palette[index];
    return Rgba{e.Red, e.Green, e.Blue, 255};
  };
  switch (image.PixelFormat) {
    case acpng::pf1bit: return fromPalette((line[x / 8] >> (7 - x % 8)) & 1);
    case acpng::pf4bit: return fromPalette((line[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F);
    case acpng::pf8bit: return fromPalette(line[x]);
    case acpng::pf24bit: return Rgba{line[3 * x + 2], line[3 * x + 1], line[3 * x], 255};
    case acpng::pf32bit: return Rgba{line[4 * x + 2], line[4 * x + 1], line[4 * x], line[4 * x + 3]};
    default: return Rgba{0, 0, 0, 0};
  }
}

namespace {
uint8_t Level(uint8_t depth, uint16_t v) {
  if (depth == 16) return uint8_t(uint32_t(v) * 255 / 65535);
  return uint8_t(uint32_t(v) * 255 / ((1u << depth) - 1));
}
}  // namespace

Rgba ExpectedColour(uint8_t colourType, uint8_t depth, const uint16_t* s, const std::vector<uint8_t>& palette) {
  switch (colourType) {
    case 0:
    case 4: {
      const uint8_t g = Level(depth, s[0]);
      return Rgba{g, g, g, 255};
    }
    case 2: return Rgba{Level(depth, s[0]), Level(depth, s[1]), Level(depth, s[2]), 255};
    case 6: return Rgba{Level(depth, s[0]), Level(depth, s[1]), Level(depth, s[2]), Level(depth, s[3])};
    case 3: {
      const size_t i = size_t(s[0]) * 3;
      if (i + 2 >= palette.size()) return Rgba{0, 0, 0, 255};
      return Rgba{palette[i], palette[i + 1], palette[i + 2], 255};
    }
    default: return Rgba{0, 0, 0, 0};
  }
}

}  // namespace pngtest
