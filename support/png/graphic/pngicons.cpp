#include "support/png/graphic/pngicons.h"

#include <cstdint>
#include <cstring>

#include "support/png/graphic/pnggraphic.h"

namespace {

// A 1-bit bitmap with every pixel opaque (black, bit 0) until marked.
class IconMask {
public:
  IconMask(int width, int height) {
    mask_.SetPixelFormat(pf1bit);
    mask_.SetSize(width, height);
    const std::size_t rowBytes = (static_cast<std::size_t>(width) + 7) / 8;
    for (int y = 0; y < height; ++y)
      std::memset(mask_.ScanLine(y), 0, rowBytes);
  }
  // Makes one pixel transparent (white, bit 1).
  void SetTransparent(int x, int y) {
    static_cast<std::uint8_t*>(mask_.ScanLine(y))[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
  }
  HBITMAP Handle() { return mask_.Handle(); }

private:
  TBitmap mask_;
};

std::uint32_t Pixel32(TBitmap& bitmap, int x, int y) {
  std::uint32_t value;
  std::memcpy(&value, static_cast<const std::uint8_t*>(bitmap.ScanLine(y)) + x * 4, 4);
  return value;
}

HICON IconOf(HBITMAP colour, HBITMAP mask) {
  ICONINFO info{TRUE, 0, 0, mask, colour};
  return CreateIconIndirect(&info);
}

// Fuchsia pixels become transparent, all others opaque.
void AlphaFromFuchsia(TBitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    auto* p = static_cast<std::uint8_t*>(bitmap.ScanLine(y));
    for (int x = 0; x < bitmap.Width(); ++x, p += 4)
      p[3] = p[0] == 0xFF && p[1] == 0x00 && p[2] == 0xFF ? 0 : 255;
  }
}

}  // namespace

HICON MakeIconFromPng(TPNGGraphic& png, bool colourMask) {
  const int width = png.Width(), height = png.Height();
  IconMask mask(width, height);
  if (colourMask || png.PixelFormat() != pf32bit) {
    png.SetPixelFormat(pf32bit);
    const std::uint32_t key = Pixel32(png, 0, 0);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (Pixel32(png, x, y) == key)
          mask.SetTransparent(x, y);
  }
  return IconOf(png.Handle(), mask.Handle());
}

HICON MakeAlphaIconFromPng(TPNGGraphic& png) {
  const int width = png.Width(), height = png.Height();
  if (png.PixelFormat() != pf32bit) {
    png.SetPixelFormat(pf32bit);
    AlphaFromFuchsia(png);
  }
  TBitmap colour;
  colour.SetPixelFormat(pf32bit);
  colour.SetSize(width, height);
  IconMask mask(width, height);
  for (int y = 0; y < height; ++y) {
    const auto* source = static_cast<const std::uint8_t*>(png.ScanLine(y));
    std::memcpy(colour.ScanLine(y), source, static_cast<std::size_t>(width) * 4);
    for (int x = 0; x < width; ++x)
      if (source[x * 4 + 3] == 0)
        mask.SetTransparent(x, y);
  }
  return IconOf(colour.Handle(), mask.Handle());
}

void ZeroTransparentWhite(TBitmap& bitmap) {
  if (bitmap.PixelFormat() != pf32bit || bitmap.Width() < 2 || bitmap.Height() < 2)
    return;
  for (int y = 0; y < bitmap.Height(); ++y) {
    auto* p = static_cast<std::uint8_t*>(bitmap.ScanLine(y));
    for (int x = 0; x < bitmap.Width(); ++x, p += 4)
      if (p[0] == 0xFF && p[1] == 0xFF && p[2] == 0xFF && p[3] == 0)
        std::memset(p, 0, 4);
  }
}
