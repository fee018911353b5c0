#include "skin/core/maskpaint.h"

#include <algorithm>

namespace {

int Channel(TColor color, int index) { return (static_cast<std::uint32_t>(color) >> (8 * index)) & 0xFF; }

bool MatchesKey(const std::uint8_t* p, TColor key) {
  return p[0] == Channel(key, 2) && p[1] == Channel(key, 1) && p[2] == Channel(key, 0);
}

bool IsFuchsia(const std::uint8_t* p) { return p[0] == 0xFF && p[1] == 0 && p[2] == 0xFF; }

// The inclusive source rectangle limited to the bitmap.
TPixelRect ClampInclusive(TPixelRect SR, const TPixelView& S) {
  SR.left = std::max(SR.left, 0);
  SR.top = std::max(SR.top, 0);
  SR.right = std::min(SR.right, S.Width - 1);
  SR.bottom = std::min(SR.bottom, S.Height - 1);
  return SR;
}

void WritePixel(const TPixelView& D, int x, int y, int b, int g, int r) {
  std::uint8_t* d = D.Pixel(x, y);
  d[0] = static_cast<std::uint8_t>(b);
  d[1] = static_cast<std::uint8_t>(g);
  d[2] = static_cast<std::uint8_t>(r);
  if (D.Is32())
    d[3] = 255;
}

}  // namespace

int TMaskImage::CellLeft(int State) const {
  const int column = std::max(0, std::min(State, ImageCount - 1));
  return R.left + column * FrameWidth();
}

void FitBorderWidths(int& First, int& Second, int Size) {
  if (First + Second > Size) {
    const int e = (First + Second - Size) / 2;
    First -= e;
    Second -= e;
    if (Size % 2 != 0)
      --Second;
  }
  First = std::max(First, 0);
  Second = std::max(Second, 0);
}

void CopyPlainKeyed(const TPixelView& D, const TPixelView& S, int X, int Y, TColor Key, TPixelRect SR) {
  if (!D.Is24() || !S.Is24())
    return;
  SR = ClampInclusive(SR, S);
  for (int r = 0; r <= SR.bottom - SR.top; ++r)
    for (int c = 0; c <= SR.right - SR.left; ++c) {
      const std::uint8_t* s = S.Pixel(SR.left + c, SR.top + r);
      if (!MatchesKey(s, Key) && D.Contains(X + c, Y + r))
        WritePixel(D, X + c, Y + r, s[0], s[1], s[2]);
    }
}

void CopyKeyedPiece(const TPixelView& D, const TPixelView& S, int X, int Y, bool CB, const TPixelBackground& Src,
                    TColor Key, TPixelRect SR) {
  if ((!D.Is24() && !D.Is32()) || (!S.Is24() && !S.Is32()))
    return;
  const TPixelView& bg = Src.Bitmap;
  const bool fromBackground = CB && bg.Assigned() && (bg.Is24() || bg.Is32());
  const bool sameBitmap = bg.Line0 == D.Line0;
  SR = ClampInclusive(SR, S);
  for (int r = 0; r <= SR.bottom - SR.top; ++r) {
    for (int c = 0; c <= SR.right - SR.left; ++c) {
      const int x = X + c, y = Y + r;
      if (!D.Contains(x, y))
        continue;
      const std::uint8_t* s = S.Pixel(SR.left + c, SR.top + r);
      const bool key = MatchesKey(s, Key) && (!S.Is32() || s[3] == 0);
      if (!key) {
        WritePixel(D, x, y, s[0], s[1], s[2]);
      } else if (fromBackground) {
        if (sameBitmap)
          continue;
        const int bx = Src.X + x, by = Src.Y + y;
        if (bx >= bg.Width)
          break;
        if (by >= bg.Height || bx < 0 || by < 0)
          continue;
        const std::uint8_t* b = bg.Pixel(bx, by);
        WritePixel(D, x, y, b[0], b[1], b[2]);
      } else if (!bg.Assigned() && !Src.Ready) {
        WritePixel(D, x, y, Channel(Src.FillColor, 2), Channel(Src.FillColor, 1), Channel(Src.FillColor, 0));
      }
    }
  }
}

void CopyMaskedGlyph(const TPixelView& B, TPixelPoint P, int State, const TMaskImage& Image, bool Faint) {
  const TPixelView& S = Image.Bitmap;
  if (Image.ImageCount <= 0 || !S.Is24() || (!B.Is24() && !B.Is32()))
    return;
  const int fw = Image.FrameWidth(), fh = Image.FrameHeight();
  int x0 = Image.CellLeft(State), y0 = Image.R.top, w = fw, h = fh;
  // Rows and columns left of or above B are dropped.
  if (P.x < 0) {
    x0 -= P.x;
    w += P.x;
    P.x = 0;
  }
  if (P.y < 0) {
    y0 -= P.y;
    h += P.y;
    P.y = 0;
  }
  if (w <= 0 || h <= 0)
    return;
  if (Image.MaskType == 0) {
    CopyPlainKeyed(B, S, P.x, P.y, 0xFF00FF, {x0, y0, x0 + w - 1, y0 + h - 1});
    return;
  }
  for (int r = 0; r < h; ++r) {
    const int sy = y0 + r, my = sy + fh;
    if (sy < 0 || my >= S.Height || P.y + r >= B.Height)
      break;
    for (int c = 0; c < w; ++c) {
      const int sx = x0 + c;
      if (sx < 0 || sx >= S.Width || P.x + c >= B.Width)
        break;
      const std::uint8_t* p = S.Pixel(sx, sy);
      if (IsFuchsia(p))
        continue;
      const std::uint8_t* m = S.Pixel(sx, my);
      std::uint8_t* d = B.Pixel(P.x + c, P.y + r);
      for (int k = 0; k < 3; ++k) {
        const int mask = Faint ? std::min(255, m[k] + 100) : m[k];
        d[k] = static_cast<std::uint8_t>(MaskedPixel(d[k], p[k], mask));
      }
      if (B.Is32())
        d[3] = 255;
    }
  }
}

namespace {

// Appends the runs of clFuchsia pixels of columns [from, to) of a row.
void CollectRuns(std::vector<TPixelRect>& A, const TPixelView& S, int sy, int cellLeft, int from, int to, int shift,
                 int y) {
  int start = -1;
  for (int x = from; x < to; ++x) {
    const int sx = cellLeft + x;
    const bool key = sx >= 0 && sx < S.Width && IsFuchsia(S.Pixel(sx, sy));
    if (key && start < 0)
      start = x;
    if (!key && start >= 0) {
      A.push_back({start + shift, y, x + shift, y + 1});
      start = -1;
    }
  }
  if (start >= 0)
    A.push_back({start + shift, y, to + shift, y + 1});
}

}  // namespace

void CollectMaskTransparentRects(std::vector<TPixelRect>& A, int Width, const TMaskImage& Image, bool Bottom,
                                 int Y0) {
  const TPixelView& S = Image.Bitmap;
  if (!S.Is24() && !S.Is32())
    return;
  const int rows = Bottom ? Image.WB : Image.WT;
  const int first = Bottom ? Image.R.top + Image.FrameHeight() - Image.WB : Image.R.top;
  if (rows <= 0 || first < 0 || first + rows > S.Height)
    return;
  const int fw = Image.FrameWidth();
  const int cellLeft = Image.R.left;
  for (int r = 0; r < rows; ++r)
    CollectRuns(A, S, first + r, cellLeft, 0, std::min(Image.WL, fw), 0, Y0 + r);
  for (int r = 0; r < rows; ++r)
    CollectRuns(A, S, first + r, cellLeft, std::max(fw - Image.WR, 0), fw, Width - fw, Y0 + r);
}
