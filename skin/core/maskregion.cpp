#include "skin/core/maskregion.h"

#include <algorithm>

#include "skin/core/skinbitmaps.h"
#include "skin/core/skinmanager.h"

TMaskImage MaskImageOf(const TsMaskData& M) {
  TMaskImage image;
  if (M.Manager == nullptr)
    return image;
  TBitmap* picture = M.Image ? M.Image.get() : M.Manager->MasterBitmap.get();
  image.Bitmap = PixelViewOf(picture);
  image.R = {std::max<int>(M.R.left, 0), std::max<int>(M.R.top, 0), std::min<int>(M.R.right, image.Bitmap.Width),
             std::min<int>(M.R.bottom, image.Bitmap.Height)};
  if (image.R.right < image.R.left || image.R.bottom < image.R.top)
    image.R = {0, 0, 0, 0};
  image.ImageCount = M.ImageCount;
  image.MaskType = M.MaskType;
  image.StretchMode = M.StretchMode;
  image.WL = M.WL;
  image.WT = M.WT;
  image.WR = M.WR;
  image.WB = M.WB;
  return image;
}

void DrawMaskRect(TBitmap* B, const RECT& R, bool FC, bool CB, int State, const TsMaskData& M,
                  const TPixelBackground& Src) {
  if (B == nullptr || M.Manager == nullptr)
    return;
  DrawMaskRect(PixelViewOf(B), {R.left, R.top, R.right, R.bottom}, FC, CB, State, MaskImageOf(M), Src);
}

namespace {

bool IsFuchsia(const std::uint8_t* p) { return p[0] == 0xFF && p[1] == 0 && p[2] == 0xFF; }

// Removes the runs of clFuchsia pixels of a w x h corner at (sx, sy) of the
// image, placed at (x, y), from the region. Every run is taken away with
// RGN_DIFF, so runs that meet never add area back.
void CutCorner(HRGN Rgn, const TPixelView& S, int x, int y, int sx, int sy, int w, int h) {
  for (int r = 0; r < h; ++r) {
    if (sy + r < 0 || sy + r >= S.Height)
      continue;
    int start = -1;
    for (int c = 0; c <= w; ++c) {
      const bool key = c < w && sx + c >= 0 && sx + c < S.Width && IsFuchsia(S.Pixel(sx + c, sy + r));
      if (key && start < 0)
        start = c;
      if (!key && start >= 0) {
        HRGN run = CreateRectRgn(x + start, y + r, x + c, y + r + 1);
        CombineRgn(Rgn, Rgn, run, RGN_DIFF);
        DeleteObject(run);
        start = -1;
      }
    }
  }
}

}  // namespace

void BuildMaskRegion(TBitmap* B, HRGN Rgn, bool FC, const TsMaskData& M, int State) {
  if (B == nullptr || B->Width() < 2 || B->Height() < 2 || M.Manager == nullptr)
    return;
  TMaskImage image = MaskImageOf(M);
  if (!image.Bitmap.Assigned())
    return;
  if (image.ImageCount < 1) {
    image.ImageCount = 1;
    image.R = {0, 0, image.Bitmap.Width, image.Bitmap.Height};
  }
  const TPixelView view = PixelViewOf(B);
  DrawMaskRect(view, {0, 0, view.Width, view.Height}, FC, false, State, image, {});
  if (Rgn == nullptr)
    return;
  int wl = image.WL, wr = image.WR, wt = image.WT, wb = image.WB;
  FitBorderWidths(wl, wr, view.Width);
  FitBorderWidths(wt, wb, view.Height);
  const int fw = image.FrameWidth(), fh = image.FrameHeight();
  const int x0 = image.CellLeft(State), y0 = image.R.top;
  const TPixelView& S = image.Bitmap;
  CutCorner(Rgn, S, 0, 0, x0, y0, wl, wt);
  CutCorner(Rgn, S, 0, view.Height - wb, x0, y0 + fh - wb, wl, wb);
  CutCorner(Rgn, S, view.Width - wr, view.Height - wb, x0 + fw - wr, y0 + fh - wb, wr, wb);
  CutCorner(Rgn, S, view.Width - wr, 0, x0 + fw - wr, y0, wr, wt);
}
