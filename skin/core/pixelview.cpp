#include "skin/core/pixelview.h"

TPixelImage::TPixelImage(int width, int height, int bitCount, bool bottomUp) {
  if (width < 0)
    width = 0;
  if (height < 0)
    height = 0;
  const std::ptrdiff_t stride = ((static_cast<std::ptrdiff_t>(width) * bitCount + 31) / 32) * 4;
  bytes_.assign(static_cast<std::size_t>(stride * height), 0);
  view_.Width = width;
  view_.Height = height;
  view_.BitCount = bitCount;
  if (bytes_.empty())
    return;
  if (bottomUp) {
    view_.Line0 = bytes_.data() + stride * (height - 1);
    view_.Stride = -stride;
  } else {
    view_.Line0 = bytes_.data();
    view_.Stride = stride;
  }
}
