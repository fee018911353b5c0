#include "skin/core/maskregion.h"

#include <algorithm>

#include "skin/core/skinbitmaps.h"
#include "skin/core/skinmanager.h"

namespace {

// The image cut from the given picture, its rectangle limited to it.
TMaskImage MaskImageFrom(const TsMaskData& M, TBitmap* picture) {
  TMaskImage image;
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

}  // namespace

TMaskImage MaskImageOf(const TsMaskData& M) {
  if (M.Manager == nullptr)
    return {};
  return MaskImageFrom(M, M.Image ? M.Image.get() : M.Manager->MasterBitmap.get());
}

void DrawMaskGlyph(TBitmap* B, POINT P, int State, const TPixelBackground& Src, const TsMaskData& M, int Mode) {
  if (B == nullptr)
    return;
  const TPixelView view = PixelViewOf(B);
  const bool faint = Mode != 1;
  if (M.Image && M.Image->Width() >= M.R.right && M.Image->Height() >= M.R.bottom) {
    CopyMaskedGlyph(view, {P.x, P.y}, State, MaskImageFrom(M, M.Image.get()), faint);
    return;
  }
  if (M.Manager == nullptr || M.ImageCount == 0)
    return;
  const TMaskImage image = MaskImageOf(M);
  if (image.MaskType > 0) {
    CopyMaskedGlyph(view, {P.x, P.y}, State, image, faint);
    return;
  }
  // A keyed cell; the copies skip what falls outside B.
  const int x0 = image.CellLeft(State), y0 = image.R.top;
  const TPixelRect cell{x0, y0, x0 + image.FrameWidth() - 1, y0 + image.FrameHeight() - 1};
  if (cell.right < cell.left || cell.bottom < cell.top)
    return;
  if (Mode == 1)
    CopyKeyedPiece(view, image.Bitmap, P.x, P.y, true, Src, clFuchsia, cell);
  else
    BlendBitmapRect(view, P.x, P.y, image.Bitmap, cell, 0.5, clFuchsia);
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

namespace {

struct NinePartCopier {
  HDC D, S;

  void Copy(int x, int y, int w, int h, int sx, int sy) const {
    if (w > 0 && h > 0)
      BitBlt(D, x, y, w, h, S, sx, sy, SRCCOPY);
  }
  void Stretch(int x, int y, int w, int h, int sx, int sy, int sw, int sh) const {
    if (w > 0 && h > 0 && sw > 0 && sh > 0)
      StretchBlt(D, x, y, w, h, S, sx, sy, sw, sh, SRCCOPY);
  }
  // Whole pw x ph pieces from (sx, sy) over the area from its top-left, the
  // last ones cut at the far edges; nothing for an empty piece.
  void Tile(const RECT& area, int pw, int ph, int sx, int sy) const {
    if (pw <= 0 || ph <= 0)
      return;
    for (int y = area.top; y < area.bottom; y += ph)
      for (int x = area.left; x < area.right; x += pw)
        Copy(x, y, std::min<int>(pw, area.right - x), std::min<int>(ph, area.bottom - y), sx, sy);
  }
  void Edge(int mode, const RECT& area, int pw, int ph, int sx, int sy, int sw, int sh) const {
    if (mode == 0)
      Tile(area, pw, ph, sx, sy);
    else if (mode == 1)
      Stretch(area.left, area.top, area.right - area.left, area.bottom - area.top, sx, sy, sw, sh);
  }
};

}  // namespace

void CopyNinePartImage(TBitmap* D, TBitmap* S, const RECT& DR, const RECT& SR, const TNineParts& Mg,
                       const TNineParts& Lm, const TNineParts& EdgeModes, int CentreMode, bool FC) {
  if (D == nullptr || S == nullptr)
    return;
  const int wl = std::min(Mg.Left, Lm.Left), wt = std::min(Mg.Top, Lm.Top);
  const int wr = std::min(Mg.Right, Lm.Right), wb = std::min(Mg.Bottom, Lm.Bottom);
  const NinePartCopier c{D->Canvas().Handle(), S->Canvas().Handle()};
  SetStretchBltMode(c.D, BLACKONWHITE);
  // Corners: the limited block, then the rest of the margin below or above.
  c.Copy(DR.left, DR.top, Mg.Left, wt, SR.left, SR.top);
  if (wt != Mg.Top)
    c.Copy(DR.left, DR.top + wt, wl, Mg.Top - wt, SR.left, SR.top + wt);
  c.Copy(DR.left, DR.bottom - wb, Mg.Left, wb, SR.left, SR.bottom - wb);
  if (wb != Mg.Bottom)
    c.Copy(DR.left, DR.bottom - Mg.Bottom, wl, Mg.Bottom - wb, SR.left, SR.bottom - Mg.Bottom);
  c.Copy(DR.right - Mg.Right, DR.top, Mg.Right, wt, SR.right - Mg.Right, SR.top);
  if (wt != Mg.Top)
    c.Copy(DR.right - wr, DR.top + wt, wr, Mg.Top - wt, SR.right - wr, SR.top + wt);
  c.Copy(DR.right - Mg.Right, DR.bottom - wb, Mg.Right, wb, SR.right - Mg.Right, SR.bottom - wb);
  if (wb != Mg.Bottom)
    c.Copy(DR.right - wr, DR.bottom - Mg.Bottom, wr, Mg.Bottom - wb, SR.right - wr, SR.bottom - Mg.Bottom);

  const int sw = SR.right - SR.left, sh = SR.bottom - SR.top;
  const int cw = std::max(0, sw - Mg.Left - Mg.Right), ch = std::max(0, sh - Mg.Top - Mg.Bottom);
  const int midTop = DR.top + Mg.Top, midBottom = DR.bottom - Mg.Bottom;
  const int midLeft = DR.left + Mg.Left, midRight = DR.right - Mg.Right;
  c.Edge(EdgeModes.Left, {DR.left, midTop, DR.left + wl, midBottom}, wl, ch, SR.left, SR.top + Mg.Top, wl, ch);
  c.Edge(EdgeModes.Top, {midLeft, DR.top, midRight, DR.top + wt}, cw, wt, SR.left + Mg.Left, SR.top, cw, wt);
  c.Edge(EdgeModes.Right, {DR.right - wr, midTop, DR.right, midBottom}, wr, ch, SR.right - wr, SR.top + Mg.Top, wr,
         ch);
  c.Edge(EdgeModes.Bottom, {midLeft, DR.bottom - wb, midRight, DR.bottom}, cw, wb, SR.left + Mg.Left,
         SR.bottom - wb, cw, wb);
  if (FC)
    c.Edge(CentreMode, {midLeft, midTop, midRight, midBottom}, cw, ch, SR.left + Mg.Left, SR.top + Mg.Top, cw, ch);
}
