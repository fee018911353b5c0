#include "skin/core/softwash.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "skin/core/alphablend.h"
#include "skin/core/skinbitmaps.h"

namespace {

void FillRounded(TCanvas& canvas, int left, int top, int right, int bottom, int corner, int grey) {
  canvas.Brush().SetColor(static_cast<TColor>(grey | grey << 8 | grey << 16));
  canvas.RoundRect(left, top, right, bottom, corner, corner);
}

}  // namespace

void BlendSoftRoundRect(TBitmap* B, const RECT& R, int Percent, TColor Color, int Steps, int Radius) {
  const int w = R.right - R.left, h = R.bottom - R.top;
  if (B == nullptr || w < 1 || h < 1)
    return;
  std::unique_ptr<TBitmap> work(CreateBitmap24(w, h));
  BitBlt(work->Canvas().Handle(), 0, 0, w, h, B->Canvas().Handle(), R.left, R.top, SRCCOPY);
  // The mask starts white, so pixels no ring reaches keep the picture.
  std::unique_ptr<TBitmap> mask(CreateBitmap24(w, h));
  TCanvas& canvas = mask->Canvas();
  canvas.Brush().SetColor(clWhite);
  RECT all{0, 0, w, h};
  canvas.FillRect(all);
  canvas.Pen().SetStyle(psClear);
  canvas.Brush().SetStyle(bsSolid);

  const int half = std::min(w / 2, h / 2);
  const int s = std::min(half, Steps), corner = std::min(half, Radius);
  const int base = Percent * 255 / 100;
  const double step = (255 - base) / static_cast<double>(s + 1);
  int grey = 255;
  for (int t = 0; t <= s; ++t) {
    FillRounded(canvas, t, t, w - t, h - t, corner, grey);
    grey = base + static_cast<int>(std::nearbyint((s - t) * step));
  }
  FillRounded(canvas, s, s, w - s, h - s, s, grey);
  TintThroughMask(PixelViewOf(work.get()), PixelViewOf(mask.get()), Color);
  BitBlt(B->Canvas().Handle(), R.left, R.top, w, h, work->Canvas().Handle(), 0, 0, SRCCOPY);
}
