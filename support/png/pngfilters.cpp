#include "support/png/pngfilters.h"

#include <cstdlib>

namespace acpng {
namespace {

// The Paeth predictor: the neighbour closest to left + above - upperLeft, ties
// going to left, then above.
inline uint8_t Paeth(int left, int above, int upperLeft) {
  const int pa = std::abs(above - upperLeft);
  const int pb = std::abs(left - upperLeft);
  const int pc = std::abs(left + above - 2 * upperLeft);
  if (pa <= pb && pa <= pc) return uint8_t(left);
  return uint8_t(pb <= pc ? above : upperLeft);
}

void UndoSub(uint8_t* row, size_t bpp, size_t length) {
  for (size_t i = bpp; i < length; ++i) row[i] = uint8_t(row[i] + row[i - bpp]);
}

void UndoUp(uint8_t* row, const uint8_t* previous, size_t length) {
  for (size_t i = 0; i < length; ++i) row[i] = uint8_t(row[i] + previous[i]);
}

void UndoAverage(uint8_t* row, const uint8_t* previous, size_t bpp, size_t length) {
  const size_t head = bpp < length ? bpp : length;
  for (size_t i = 0; i < head; ++i) row[i] = uint8_t(row[i] + (previous[i] >> 1));
  for (size_t i = bpp; i < length; ++i) row[i] = uint8_t(row[i] + ((row[i - bpp] + previous[i]) >> 1));
}

// Pixel sizes are known at compile time in the common cases, which lets the
// compiler keep the neighbours in registers.
template <size_t Bpp>
void UndoPaethFixed(uint8_t* row, const uint8_t* previous, size_t length) {
  for (size_t i = 0; i < Bpp && i < length; ++i) row[i] = uint8_t(row[i] + previous[i]);
  for (size_t i = Bpp; i < length; i += Bpp)
    for (size_t k = 0; k < Bpp && i + k < length; ++k)
      row[i + k] = uint8_t(row[i + k] + Paeth(row[i + k - Bpp], previous[i + k], previous[i + k - Bpp]));
}

void UndoPaeth(uint8_t* row, const uint8_t* previous, size_t bpp, size_t length) {
  switch (bpp) {
    case 1: UndoPaethFixed<1>(row, previous, length); return;
    case 2: UndoPaethFixed<2>(row, previous, length); return;
    case 3: UndoPaethFixed<3>(row, previous, length); return;
    case 4: UndoPaethFixed<4>(row, previous, length); return;
    case 6: UndoPaethFixed<6>(row, previous, length); return;
    case 8: UndoPaethFixed<8>(row, previous, length); return;
    default: break;
  }
  const size_t head = bpp < length ? bpp : length;
  // Paeth(0, above, 0) is above.
  for (size_t i = 0; i < head; ++i) row[i] = uint8_t(row[i] + previous[i]);
  for (size_t i = bpp; i < length; ++i)
    row[i] = uint8_t(row[i] + Paeth(row[i - bpp], previous[i], previous[i - bpp]));
}

}  // namespace

bool ReverseRowFilter(uint8_t filter, uint8_t* row, const uint8_t* previous, size_t bytesPerPixel, size_t length) {
  switch (filter) {
    case 0: return true;
    case 1: UndoSub(row, bytesPerPixel, length); return true;
    case 2: UndoUp(row, previous, length); return true;
    case 3: UndoAverage(row, previous, bytesPerPixel, length); return true;
    case 4: UndoPaeth(row, previous, bytesPerPixel, length); return true;
    default: return false;
  }
}

}  // namespace acpng
