// Byte-level helpers every pixel routine of the skin library shares: one
// channel of a colour, the fuchsia key pixel, a value held to a byte.
#pragma once

#include <algorithm>
#include <cstdint>

#include "classlib/graphics/colors.h"

// Channel 0 is red, 1 green, 2 blue (a colour keeps red in its low byte).
inline int ColorChannel(TColor color, int index) { return (static_cast<std::uint32_t>(color) >> (8 * index)) & 0xFF; }

// A pixel stored blue, green, red that is the key colour fuchsia.
inline bool IsFuchsiaPixel(const std::uint8_t* p) { return p[0] == 0xFF && p[1] == 0 && p[2] == 0xFF; }

inline std::uint8_t ToByte(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }
