#include "tests/support/barcode_components/rendertesting.h"

#include <algorithm>

#include "classlib/graphics/screenfacts.h"
#include "support/barcode/barcodeencoder.h"

namespace {
const std::uint8_t* PixelAt(TBitmap& bitmap, int x, int y) {
  return static_cast<const std::uint8_t*>(bitmap.ScanLine(y)) + 3 * x;
}
}  // namespace

void MakeWhiteBitmap(TBitmap& bitmap, int width, int height, TColor fill) {
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(width, height);
  bitmap.Canvas().Brush().SetStyle(bsSolid);
  bitmap.Canvas().Brush().SetColor(fill);
  bitmap.Canvas().FillRect(RECT{0, 0, width, height});
}

TInkMask ReadInk(TBitmap& bitmap) {
  TInkMask mask;
  mask.Width = bitmap.Width();
  mask.Height = bitmap.Height();
  mask.Dark.resize(static_cast<std::size_t>(mask.Width) * mask.Height);
  GdiFlush();
  for (int y = 0; y < mask.Height; ++y) {
    for (int x = 0; x < mask.Width; ++x) {
      const std::uint8_t* p = PixelAt(bitmap, x, y);
      int luminance = (p[0] * 114 + p[1] * 587 + p[2] * 299) / 1000;
      mask.Dark[static_cast<std::size_t>(y) * mask.Width + x] = luminance < 128 ? 1 : 0;
    }
  }
  return mask;
}

bool AllPixelsAre(TBitmap& bitmap, TColor color) {
  GdiFlush();
  TColor rgb = ColorToRGB(color);
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const std::uint8_t* p = PixelAt(bitmap, x, y);
      if (RGBColor(p[2], p[1], p[0]) != rgb) return false;
    }
  }
  return true;
}

TInkMask BarsMask(const TBarcodePlacement& place, int width, int height, const RECT& clip) {
  TInkMask mask;
  mask.Width = width;
  mask.Height = height;
  mask.Dark.assign(static_cast<std::size_t>(width) * height, 0);
  for (const TBarRect& bar : place.Layout.Bars) {
    int top = std::max({0, static_cast<int>(clip.top), bar.Top + place.Top});
    int bottom = std::min({height, static_cast<int>(clip.bottom), bar.Bottom + place.Top});
    int left = std::max({0, static_cast<int>(clip.left), bar.Left + place.Left});
    int right = std::min({width, static_cast<int>(clip.right), bar.Right + place.Left});
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) mask.Dark[static_cast<std::size_t>(y) * width + x] = 1;
    }
  }
  return mask;
}

std::string FirstDifference(const TInkMask& actual, const TInkMask& expected) {
  if (actual.Width != expected.Width || actual.Height != expected.Height) return "size";
  for (int y = 0; y < actual.Height; ++y) {
    for (int x = 0; x < actual.Width; ++x) {
      if (actual.At(x, y) != expected.At(x, y)) return std::to_string(x) + "," + std::to_string(y);
    }
  }
  return "";
}

TBarcodePlacement PlacementWithoutText(const TBarcodeLook& look, const RECT& rect, int dpi) {
  TBarcodePattern pattern = EncodeBarcode(look.BarCodeType, look.Code, look.AddCheckChar);
  return PlaceBarcode(pattern, look, rect, dpi, ScreenFacts().PixelsPerInch, 0);
}

RECT RoomyRect(const TBarcodeLook& look, int dpi, int barHeight, int textHeight, int margin) {
  TBarcodePattern pattern = EncodeBarcode(look.BarCodeType, look.Code, look.AddCheckChar);
  TBarLayoutOptions options;
  options.ModulePixels = ModulePixels(look.BarWidth, dpi);
  options.WideToNarrow = look.BarToSpaceRatio;
  TBarLayout layout = LayoutBars(pattern, options);
  return RECT{margin, margin, margin + layout.Width, margin + barHeight + textHeight};
}
