#include "skin/core/maskpaint.h"

#include "skin/core/pixelbytes.h"

#include <algorithm>
#include <cstring>

namespace {

bool MatchesKey(const std::uint8_t* p, TColor key) {
  return p[0] == ColorChannel(key, 2) && p[1] == ColorChannel(key, 1) && p[2] == ColorChannel(key, 0);
}

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
        WritePixel(D, x, y, ColorChannel(Src.FillColor, 2), ColorChannel(Src.FillColor, 1), ColorChannel(Src.FillColor, 0));
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
      if (IsFuchsiaPixel(p))
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
    const bool key = sx >= 0 && sx < S.Width && IsFuchsiaPixel(S.Pixel(sx, sy));
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

void CopyMaskedPiece(const TPixelView& D, int X, int Y, const TPixelView& S, int SX, int SY, int W, int H,
                     int MaskOffset, bool CB, const TPixelBackground& Src) {
  if ((!D.Is24() && !D.Is32()) || !S.Is24())
    return;
  const TPixelView& bg = Src.Bitmap;
  const bool withBackground = bg.Assigned() && (bg.Is24() || bg.Is32());
  for (int r = 0; r < H; ++r) {
    const int sy = SY + r, y = Y + r;
    int my = sy + MaskOffset;
    if (my >= S.Height)
      my = S.Height - 1;
    if (sy < 0 || sy >= S.Height || y < 0 || y >= D.Height)
      continue;
    for (int c = 0; c < W; ++c) {
      const int sx = SX + c, x = X + c;
      if (sx < 0 || sx >= S.Width || x < 0 || x >= D.Width)
        continue;
      const std::uint8_t* p = S.Pixel(sx, sy);
      std::uint8_t* d = D.Pixel(x, y);
      if (IsFuchsiaPixel(p) && CB) {
        if (withBackground) {
          const int bx = Src.X + x, by = Src.Y + y;
          if (bx < 0 || by < 0 || bx >= bg.Width || by >= bg.Height)
            continue;
          const std::uint8_t* b = bg.Pixel(bx, by);
          WritePixel(D, x, y, b[0], b[1], b[2]);
        } else {
          WritePixel(D, x, y, ColorChannel(Src.FillColor, 2), ColorChannel(Src.FillColor, 1), ColorChannel(Src.FillColor, 0));
        }
        continue;
      }
      if (IsFuchsiaPixel(p) && !withBackground)
        continue;
      const std::uint8_t* m = S.Pixel(sx, my);
      for (int k = 0; k < 3; ++k)
        d[k] = static_cast<std::uint8_t>(MaskedPixel(d[k], p[k], m[k]));
    }
  }
}

namespace {

// Drops the leading rows or columns that a negative origin puts outside
// either bitmap; n is the count that is left.
void DropNegativeOrigin(int& destStart, int& sourceStart, int& n) {
  const int shift = std::max(0, -std::min(destStart, sourceStart));
  destStart += shift;
  sourceStart += shift;
  n -= shift;
}

// The key pixel of a masked cell: the background behind it, or the fill
// colour unless that is the key colour too.
void TakeCellBackground(const TPixelView& D, int x, int y, const TPixelBackground& Src) {
  const TPixelView& bg = Src.Bitmap;
  if (bg.Assigned()) {
    const int bx = Src.X + x, by = Src.Y + y;
    if ((bg.Is24() || bg.Is32()) && bg.Contains(bx, by)) {
      const std::uint8_t* b = bg.Pixel(bx, by);
      WritePixel(D, x, y, b[0], b[1], b[2]);
    }
  } else if ((Src.FillColor & 0xFFFFFF) != 0xFF00FF) {
    WritePixel(D, x, y, ColorChannel(Src.FillColor, 2), ColorChannel(Src.FillColor, 1), ColorChannel(Src.FillColor, 0));
  }
}

}  // namespace

void CopyMaskedCell(TPixelRect DR, TPixelRect SR, const TPixelView& D, const TPixelView& S,
                    const TPixelBackground& Src) {
  if (!D.Is24() || !S.Is24())
    return;
  const int maskOffset = (SR.bottom - SR.top) / 2;
  int n = std::min(DR.bottom - DR.top, SR.bottom - SR.top);
  int m = std::min(DR.right - DR.left, SR.right - SR.left);
  DropNegativeOrigin(DR.top, SR.top, n);
  DropNegativeOrigin(DR.left, SR.left, m);
  n = std::min({n, D.Height - DR.top, S.Height - SR.top - maskOffset});
  m = std::min({m, D.Width - DR.left, S.Width - SR.left});
  for (int r = 0; r < n; ++r)
    for (int c = 0; c < m; ++c) {
      const int x = DR.left + c, y = DR.top + r;
      const std::uint8_t* p = S.Pixel(SR.left + c, SR.top + r);
      if (IsFuchsiaPixel(p)) {
        TakeCellBackground(D, x, y, Src);
        continue;
      }
      const std::uint8_t* mask = S.Pixel(SR.left + c, SR.top + r + maskOffset);
      std::uint8_t* d = D.Pixel(x, y);
      for (int k = 0; k < 3; ++k)
        d[k] = static_cast<std::uint8_t>(MaskedPixel(d[k], p[k], mask[k]));
    }
}

namespace {

// Copies a block opaque, clipped to both bitmaps.
void CopyOpaque(const TPixelView& D, int X, int Y, const TPixelView& S, int SX, int SY, int W, int H) {
  const int c0 = std::max({0, -X, -SX}), r0 = std::max({0, -Y, -SY});
  const int c1 = std::min({W, D.Width - X, S.Width - SX}), r1 = std::min({H, D.Height - Y, S.Height - SY});
  if (c1 <= c0)
    return;
  const int dstBpp = D.BitCount / 8, srcBpp = S.BitCount / 8;
  for (int r = r0; r < r1; ++r) {
    std::uint8_t* d = D.Pixel(X + c0, Y + r);
    const std::uint8_t* s = S.Pixel(SX + c0, SY + r);
    if (D.Is24() && S.Is24()) {
      std::memcpy(d, s, static_cast<std::size_t>(c1 - c0) * 3);
      continue;
    }
    for (int c = c0; c < c1; ++c, d += dstBpp, s += srcBpp) {
      d[0] = s[0];
      d[1] = s[1];
      d[2] = s[2];
      if (dstBpp == 4)
        d[3] = 255;
    }
  }
}

// Tiles the w x h block at (SX, SY) of S over T of D, as TilePieces with
// CopyOpaque does, for a 24-bit D and S that hold T and the block whole:
// each row gets one piece, then what it has is copied beside itself.
bool TileOpaqueRows(const TPixelView& D, const TPixelRect& T, const TPixelView& S, int SX, int SY, int w, int h) {
  if (!D.Is24() || !S.Is24() || w <= 0 || h <= 0 || T.left < 0 || T.top < 0 || T.right > D.Width ||
      T.bottom > D.Height || SX < 0 || SY < 0 || SX + w > S.Width || SY + h > S.Height)
    return false;
  const std::size_t rowBytes = static_cast<std::size_t>(T.right - T.left) * 3, pieceBytes = static_cast<std::size_t>(w) * 3;
  for (int y = T.top; y < T.bottom; ++y) {
    std::uint8_t* d = D.Pixel(T.left, y);
    std::memcpy(d, S.Pixel(SX, SY + (y - T.top) % h), std::min(pieceBytes, rowBytes));
    for (std::size_t done = pieceBytes; done < rowBytes; done *= 2)
      std::memcpy(d + done, d, std::min(done, rowBytes - done));
  }
  return true;
}

// Scales a block onto a target area by picking the nearest source pixel.
void StretchOpaque(const TPixelView& D, const TPixelRect& T, const TPixelView& S, int SX, int SY, int W, int H) {
  const int tw = T.right - T.left, th = T.bottom - T.top;
  if (W <= 0 || H <= 0 || tw <= 0 || th <= 0)
    return;
  for (int r = 0; r < th; ++r)
    for (int c = 0; c < tw; ++c)
      CopyOpaque(D, T.left + c, T.top + r, S, SX + c * W / tw, SY + r * H / th, 1, 1);
}

// Fills T with whole w x h pieces from the near corner and partial pieces
// at the far edges; an empty piece draws nothing.
template <class Copy>
void TilePieces(const TPixelRect& T, int w, int h, Copy copy) {
  if (w <= 0 || h <= 0)
    return;
  for (int y = T.top; y < T.bottom; y += h)
    for (int x = T.left; x < T.right; x += w)
      copy(x, y, std::min(w, T.right - x), std::min(h, T.bottom - y));
}

}  // namespace

void DrawMaskRect(const TPixelView& B, const TPixelRect& R, bool FC, bool CB, int State, const TMaskImage& Image,
                  const TPixelBackground& Src) {
  const TPixelView& S = Image.Bitmap;
  if ((State == 0 && (Image.StretchMode & 2) != 0) || R.right - R.left < 2 || R.bottom - R.top < 2)
    return;
  if (!S.Assigned() || Image.ImageCount == 0)
    return;
  int wl = Image.WL, wr = Image.WR, wt = Image.WT, wb = Image.WB;
  FitBorderWidths(wl, wr, R.right - R.left);
  FitBorderWidths(wt, wb, R.bottom - R.top);
  const int fw = Image.FrameWidth(), fh = Image.FrameHeight();
  const int cw = std::max(0, fw - wl - wr), ch = std::max(0, fh - wt - wb);
  const int x0 = Image.CellLeft(State), y0 = Image.R.top;
  const bool keyed = Image.MaskType == 0;
  const int bottomRow = keyed ? Image.R.bottom - wb : y0 + fh - wb;
  const int maskOffset = (Image.R.bottom - Image.R.top) / 2;
  const TPixelBackground none;

  auto corner = [&](int x, int y, int sx, int sy, int w, int h) {
    if (keyed)
      CopyKeyedPiece(B, S, x, y, CB, Src, 0xFF00FF, {sx, sy, sx + w - 1, sy + h - 1});
    else
      CopyMaskedPiece(B, x, y, S, sx, sy, w, h, maskOffset, CB, Src);
  };
  auto strip = [&](const TPixelRect& T, int sx, int sy, int w, int h) {
    if (keyed && (Image.StretchMode & 1) != 0) {
      StretchOpaque(B, T, S, sx, sy, w, h);
      return;
    }
    if (keyed && T.right > T.left && TileOpaqueRows(B, T, S, sx, sy, w, h))
      return;
    TilePieces(T, w, h, [&](int x, int y, int pw, int ph) {
      if (keyed)
        CopyOpaque(B, x, y, S, sx, sy, pw, ph);
      else
        CopyMaskedPiece(B, x, y, S, sx, sy, pw, ph, maskOffset, false, none);
    });
  };
  const int right = R.right - wr, bottom = R.bottom - wb;
  corner(R.left, R.top, x0, y0, wl, wt);
  strip({R.left, R.top + wt, R.left + wl, bottom}, x0, y0 + wt, wl, ch);
  strip({R.left + wl, R.top, right, R.top + wt}, x0 + wl, y0, cw, wt);
  corner(R.left, bottom, x0, bottomRow, wl, wb);
  strip({R.left + wl, bottom, right, R.bottom}, x0 + wl, bottomRow, cw, wb);
  corner(right, bottom, x0 + fw - wr, bottomRow, wr, wb);
  corner(right, R.top, x0 + fw - wr, y0, wr, wt);
  strip({right, R.top + wt, R.right, bottom}, x0 + fw - wr, y0 + wt, wr, ch);
  if (FC && (Image.StretchMode & 4) != 0)
    strip({R.left + wl, R.top + wt, right, bottom}, x0 + wl, y0 + wt, cw, ch);
}
