#include "support/png/graphic/alphadraw.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

std::uint8_t Premultiplied(std::uint8_t channel, std::uint8_t alpha) {
  return static_cast<std::uint8_t>((channel * alpha + 127) / 255);
}

// Writes one pixel of the premultiplied overlay from blue, green, red and alpha.
void PutPixel(std::uint8_t* target, const std::uint8_t* bgr, std::uint8_t alpha) {
  target[0] = Premultiplied(bgr[0], alpha);
  target[1] = Premultiplied(bgr[1], alpha);
  target[2] = Premultiplied(bgr[2], alpha);
  target[3] = alpha;
}

// A bitmap of that format and size; 32-bit ones start fully transparent.
void MakeBitmap(TBitmap& bitmap, TPixelFormat format, int width, int height) {
  bitmap.SetPixelFormat(format);
  bitmap.SetSize(width, height);
  if (format == pf32bit)
    for (int y = 0; y < height; ++y)
      std::memset(bitmap.ScanLine(y), 0, static_cast<std::size_t>(width) * 4);
}

// Stretches source into the whole of target with halftone smoothing.
void HalftoneStretch(TBitmap& source, TBitmap& target) {
  HDC dc = target.Canvas().Handle();
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchBlt(dc, 0, 0, target.Width(), target.Height(), source.Canvas().Handle(), 0, 0, source.Width(),
             source.Height(), SRCCOPY);
  GdiFlush();
}

// The image's alpha bytes as an 8-bit grey bitmap.
void ExtractAlphaPlane(TBitmap& image, TBitmap& plane) {
  std::vector<RGBQUAD> greys(256);
  for (int i = 0; i < 256; ++i)
    greys[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
  plane.SetHandle(CreateDibSection(DibFormat::For(pf8bit, image.Width(), image.Height(), greys)).Handle);
  for (int y = 0; y < image.Height(); ++y) {
    const auto* source = static_cast<const std::uint8_t*>(image.ScanLine(y));
    auto* target = static_cast<std::uint8_t*>(plane.ScanLine(y));
    for (int x = 0; x < image.Width(); ++x)
      target[x] = source[x * 4 + 3];
  }
}

// The overlay rows of the image at its own size.
void FillUnscaled(TBitmap& image, TBitmap& overlay) {
  for (int y = 0; y < image.Height(); ++y) {
    const auto* source = static_cast<const std::uint8_t*>(image.ScanLine(y));
    auto* target = static_cast<std::uint8_t*>(overlay.ScanLine(y));
    for (int x = 0; x < image.Width(); ++x)
      PutPixel(target + x * 4, source + x * 4, source[x * 4 + 3]);
  }
}

// The overlay rows of the image stretched to width x height: colours and alpha
// are smoothed each on their own, so the alpha plane keeps its own shape.
void FillScaled(TBitmap& image, TBitmap& overlay, int width, int height) {
  TBitmap colours;
  MakeBitmap(colours, pf24bit, width, height);
  HalftoneStretch(image, colours);
  TBitmap plane;
  ExtractAlphaPlane(image, plane);
  TBitmap alpha;
  MakeBitmap(alpha, pf24bit, width, height);
  HalftoneStretch(plane, alpha);
  for (int y = 0; y < height; ++y) {
    const auto* colour = static_cast<const std::uint8_t*>(colours.ScanLine(y));
    const auto* a = static_cast<const std::uint8_t*>(alpha.ScanLine(y));
    auto* target = static_cast<std::uint8_t*>(overlay.ScanLine(y));
    for (int x = 0; x < width; ++x)
      PutPixel(target + x * 4, colour + x * 3, a[x * 3]);
  }
}

// The mirror image below the picture: it starts from the second-last row and
// fades out row by row, at most a third of the picture's opacity.
void FillReflection(TBitmap& image, TBitmap& overlay) {
  const int height = image.Height();
  const int rows = std::min(height / 2 - 1, overlay.Height() - height - 1);
  if (rows < 1)
    return;
  const int step = 255 / (height / 2);
  int level = 255;
  for (int t = 1; t <= rows; ++t) {
    const auto* source = static_cast<const std::uint8_t*>(image.ScanLine(height - t - 1));
    auto* target = static_cast<std::uint8_t*>(overlay.ScanLine(height + t));
    for (int x = 0; x < image.Width(); ++x) {
      const int weight = (100 * source[x * 4 + 3] / 300) * level / 255;
      PutPixel(target + x * 4, source + x * 4, static_cast<std::uint8_t>(weight > 0 ? weight : 0));
    }
    level -= step;
  }
}

}  // namespace

void DrawStraightAlphaBitmap(TBitmap& image, TCanvas& canvas, const RECT& r, bool reflected) {
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  if (width <= 0 || height <= 0 || image.Empty())
    return;
  const bool ownSize = width == image.Width() && height == image.Height();
  const int workHeight = height + (reflected ? height / 2 : 0);

  TBitmap overlay;
  MakeBitmap(overlay, pf32bit, width, workHeight);
  if (ownSize) {
    FillUnscaled(image, overlay);
    if (reflected)
      FillReflection(image, overlay);
  } else {
    FillScaled(image, overlay, width, height);
  }

  TBitmap work;
  MakeBitmap(work, pf24bit, width, workHeight);
  HDC workDC = work.Canvas().Handle();
  HDC target = canvas.Handle();
  BitBlt(workDC, 0, 0, width, workHeight, target, r.left, r.top, SRCCOPY);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(workDC, 0, 0, width, workHeight, overlay.Canvas().Handle(), 0, 0, width, workHeight, blend);
  BitBlt(target, r.left, r.top, width, workHeight, workDC, 0, 0, SRCCOPY);
}
