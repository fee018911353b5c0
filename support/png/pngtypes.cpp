#include "support/png/pngtypes.h"

namespace acpng {

int PixelFormatBits(TPixelFormat format) {
  switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    default: return 0;
  }
}

size_t DibStride(uint64_t width, int bitsPerPixel) {
  return size_t((width * uint64_t(bitsPerPixel) + 31) / 32 * 4);
}

void TPngImage::Clear() {
  Width = Height = 0;
  PixelFormat = pfDevice;
  Palette.clear();
  Stride = 0;
  Pixels.clear();
  Pixels.shrink_to_fit();
  TransparentColor = clNone;
  Transparent = false;
  BackgroundColor = clWhite;
}

void TPngImage::Reset() {
  std::vector<uint8_t> pixels = std::move(Pixels);
  Clear();
  pixels.clear();
  Pixels = std::move(pixels);
}

void TPngImage::Allocate(TPixelFormat format, int width, int height) {
  PixelFormat = format;
  Width = width;
  Height = height;
  Stride = DibStride(uint64_t(width), PixelFormatBits(format));
  Pixels.assign(Stride * size_t(height), 0);
}

}  // namespace acpng
