#include "support/barcode/components/barcodepainter.h"

#include <algorithm>
#include <cmath>

#include "classlib/graphics/screenfacts.h"
#include "support/barcode/barcodeencoder.h"

namespace {

bool HasGuardBars(const TBarcodePattern& pattern) {
  return std::any_of(pattern.Elements.begin(), pattern.Elements.end(),
                     [](const TBarElement& e) { return e.IsBar && e.Height == TBarHeight::Guard; });
}

int ScaledGuardHeight(const TBarcodeLook& look, int dpi, int screenDpi) {
  if (look.GuardHeight <= 0 || screenDpi <= 0) return 0;
  // Any height past a few metres of device pixels is clipped to the rectangle anyway.
  double pixels = std::min(static_cast<double>(look.GuardHeight) * dpi / screenDpi, 1e6);
  return static_cast<int>(std::lround(pixels));
}

// Lays the pattern out with the widest whole-pixel module, up to the one
// options ask for, that fits the width; options keep the module used.
TBarLayout FitLayout(const TBarcodePattern& pattern, TBarLayoutOptions& options, int width) {
  int requested = options.ModulePixels;
  TBarLayout layout = LayoutBars(pattern, options);
  if (layout.Width <= width || requested <= 1) return layout;
  // The width grows about linearly with the module: start near the fitting
  // one, then step to it (rounded wide elements make it not quite linear).
  long long guess = static_cast<long long>(requested) * std::max(width, 0) / std::max(layout.Width, 1);
  options.ModulePixels = static_cast<int>(std::clamp<long long>(guess, 1, requested - 1));
  layout = LayoutBars(pattern, options);
  while (layout.Width > width && options.ModulePixels > 1) {
    --options.ModulePixels;
    layout = LayoutBars(pattern, options);
  }
  while (layout.Width <= width && options.ModulePixels < requested - 1) {
    TBarLayoutOptions wider = options;
    ++wider.ModulePixels;
    TBarLayout next = LayoutBars(pattern, wider);
    if (next.Width > width) break;
    options = wider;
    layout = std::move(next);
  }
  return layout;
}

RECT Offset(const TBarRect& r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

void PaintBars(TCanvas& canvas, const RECT& rect, const TBarcodePlacement& place) {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clBlack);
  for (const TBarRect& bar : place.Layout.Bars) {
    RECT r = Offset(bar, place.Left, place.Top);
    RECT clipped;
    if (IntersectRect(&clipped, &r, &rect)) canvas.FillRect(clipped);
  }
}

void PaintTexts(TCanvas& canvas, const RECT& rect, const TBarcodePlacement& place) {
  canvas.Brush().SetStyle(bsClear);
  int y = place.Top + place.TextTop;
  for (const TBarTextSpan& span : place.Layout.Texts) {
    int x = place.Left + (span.Left + span.Right - canvas.TextWidth(span.Text)) / 2;
    canvas.TextRect(rect, x, y, span.Text);
  }
}

// The component's font at the device's resolution.
void SelectScaledFont(TCanvas& canvas, TFont& font, int dpi) {
  canvas.Font().Assign(&font);
  if (font.Height() != 0 && font.PixelsPerInch() != dpi) {
    canvas.Font().SetHeight(MulDiv(font.Height(), dpi, font.PixelsPerInch()));
  }
}

}  // namespace

TBarcodePlacement PlaceBarcode(const TBarcodePattern& pattern, const TBarcodeLook& look, const RECT& rect,
                               int dpi, int screenDpi, int textHeight) {
  int width = std::max(0, static_cast<int>(rect.right - rect.left));
  int height = std::max(0, static_cast<int>(rect.bottom - rect.top));
  int guard = look.TallGuardBars && HasGuardBars(pattern) ? ScaledGuardHeight(look, dpi, screenDpi) : 0;
  int reserve = look.ShowCode ? std::max(0, textHeight) : guard;
  reserve = std::min(reserve, std::max(0, height - 1));

  TBarLayoutOptions options;
  options.ModulePixels = ModulePixels(look.BarWidth, dpi);
  options.WideToNarrow = look.BarToSpaceRatio;
  options.BarHeight = std::max(1, height - reserve);
  options.GuardExtension = std::min(guard, reserve);
  options.QuietZones = true;

  TBarcodePlacement place;
  place.Layout = FitLayout(pattern, options, width);
  place.ModulePixels = options.ModulePixels;
  place.Left = rect.left + (width - place.Layout.Width) / 2;
  place.Top = rect.top;
  place.TextTop = options.BarHeight;
  return place;
}

void PaintBarcode(TCanvas& canvas, const RECT& rect, int dpi, const TBarcodeLook& look, TFont& font) {
  // Encoding first: a rejected code leaves the canvas untouched.
  TBarcodePattern pattern = EncodeBarcode(look.BarCodeType, look.Code, look.AddCheckChar);
  int textHeight = 0;
  if (look.ShowCode) {
    SelectScaledFont(canvas, font, dpi);
    textHeight = canvas.TextHeight("0");
  }
  TBarcodePlacement place = PlaceBarcode(pattern, look, rect, dpi, ScreenFacts().PixelsPerInch, textHeight);

  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(look.Color);
  canvas.FillRect(rect);
  PaintBars(canvas, rect, place);
  if (look.ShowCode) PaintTexts(canvas, rect, place);
}
