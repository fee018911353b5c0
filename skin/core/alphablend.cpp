#include "skin/core/alphablend.h"

#include "skin/core/pixelbytes.h"

#include <algorithm>
#include <cmath>

bool ClassicGlyphColumns = false;

namespace {

int RoundTies(double v) { return static_cast<int>(std::nearbyint(v)); }

// A pixel (blue, green, red) matches a key colour (red in its low byte); a
// 32-bit pixel must have alpha 0 as well.
bool MatchesKey(const std::uint8_t* p, int bpp, TColor key) {
  return p[0] == ColorChannel(key, 2) && p[1] == ColorChannel(key, 1) && p[2] == ColorChannel(key, 0) && (bpp < 4 || p[3] == 0);
}

// The common area of DR and SR inside both bitmaps, after moving negative
// origins; false when nothing is left.
bool OverlapArea(TPixelRect& DR, TPixelRect& SR, const TPixelView& Dst, const TPixelView& Src, int& n, int& m) {
  auto size = [](int v) { return std::max(v, 0); };
  m = std::min({size(DR.right - DR.left), size(SR.right - SR.left)});
  n = std::min({size(DR.bottom - DR.top), size(SR.bottom - SR.top)});
  const int left = std::min(DR.left, SR.left);
  if (left < 0) {
    DR.left -= left;
    SR.left -= left;
    m += left;
  }
  const int top = std::min(DR.top, SR.top);
  if (top < 0) {
    DR.top -= top;
    SR.top -= top;
    n += top;
  }
  m = std::min({m, Dst.Width - DR.left, Src.Width - SR.left});
  n = std::min({n, Dst.Height - DR.top, Src.Height - SR.top});
  return m >= 1 && n >= 1 && DR.left >= 0 && DR.top >= 0 && SR.left >= 0 && SR.top >= 0;
}

enum class BackgroundResult { Written, Stays, RowEnds };

// The background pixel rule for destination pixel (x, y).
BackgroundResult TakeBackground(const TPixelBackground& Bg, int x, int y, std::uint8_t* d, int dstBpp) {
  const TPixelView& bg = Bg.Bitmap;
  const int bx = Bg.X + x, by = Bg.Y + y;
  if (by >= bg.Height)
    return BackgroundResult::Stays;
  if (bx >= bg.Width || by < 0)
    return BackgroundResult::RowEnds;
  if (bx < 0 || (!bg.Is24() && !bg.Is32()))
    return BackgroundResult::Stays;
  const std::uint8_t* s = bg.Pixel(bx, by);
  d[0] = s[0];
  d[1] = s[1];
  d[2] = s[2];
  if (dstBpp == 4)
    d[3] = 255;
  return BackgroundResult::Written;
}

}  // namespace

void BlendBitmapRect(const TPixelView& Dst, int X, int Y, const TPixelView& Src, TPixelRect SR, double Factor,
                     TColor Key) {
  const bool keyed = (static_cast<std::uint32_t>(Key) & 0xFF000000u) != 0xFF000000u;
  if (!(Dst.Is32() && Src.Is24()) && !(Dst.Is24() && (Src.Is24() || Src.Is32())))
    return;
  const int dstBpp = Dst.BitCount / 8, srcBpp = Src.BitCount / 8;
  int dx = 0, dy = 0;
  if (SR.top < 0) {
    dy = -SR.top;
    SR.top = 0;
  }
  if (SR.left < 0) {
    dx = -SR.left;
    SR.left = 0;
  }
  SR.right = std::min(SR.right, Src.Width - 1);
  SR.bottom = std::min(SR.bottom, Src.Height - 1);
  if (SR.bottom < SR.top || SR.right < SR.left)
    return;
  for (int r = 0; r <= SR.bottom - SR.top; ++r) {
    const int y = Y + r + dy;
    if (Y + r < 0 || y < 0)
      continue;
    if (Y + r >= Dst.Height || y >= Dst.Height)
      break;
    const std::uint8_t* s = Src.Pixel(SR.left, SR.top + r);
    for (int c = 0; c <= SR.right - SR.left; ++c, s += srcBpp) {
      const int x = X + dx + c;
      if (x < 0)
        continue;
      if (x >= Dst.Width)
        break;
      if (keyed && MatchesKey(s, srcBpp, Key))
        continue;
      std::uint8_t* d = Dst.Pixel(x, y);
      for (int k = 0; k < 3; ++k)
        d[k] = ToByte(RoundTies(s[k] - Factor * (s[k] - d[k])));
    }
  }
  (void)dstBpp;
}

void BlendBitmapColor(const TPixelView& B, TColor Color, TColor Key, double Factor) {
  if (!B.Is24() && !B.Is32())
    return;
  const int bpp = B.BitCount / 8;
  const int colour[3] = {ColorChannel(Color, 2), ColorChannel(Color, 1), ColorChannel(Color, 0)};
  for (int y = 0; y < B.Height; ++y) {
    std::uint8_t* p = B.Row(y);
    for (int x = 0; x < B.Width; ++x, p += bpp) {
      if (MatchesKey(p, bpp, Key))
        continue;
      for (int k = 0; k < 3; ++k)
        p[k] = ToByte(RoundTies(colour[k] + Factor * (p[k] - colour[k])));
    }
  }
}

void TintThroughMask(const TPixelView& B, const TPixelView& Mask, TColor Color) {
  if (B.Width != Mask.Width || B.Height != Mask.Height || !B.Is24() || !Mask.Is24())
    return;
  const int colour[3] = {ColorChannel(Color, 2), ColorChannel(Color, 1), ColorChannel(Color, 0)};
  for (int y = 0; y < B.Height; ++y) {
    std::uint8_t* p = B.Row(y);
    const std::uint8_t* m = Mask.Row(y);
    for (int j = 0; j < B.Width * 3; ++j)
      p[j] = ToByte(MixBytes(p[j], colour[j % 3], m[j]));
  }
}

void BlendThroughMask(TPixelRect DR, TPixelRect SR, const TPixelView& Dst, const TPixelView& Src,
                      const TPixelBackground& Bg, bool UseBackground) {
  if (!Src.Assigned() || (!Src.Is24() && !Src.Is32()) || (!Dst.Is24() && !Dst.Is32()))
    return;
  int n = 0, m = 0;
  if (!OverlapArea(DR, SR, Dst, Src, n, m))
    return;
  const int dstBpp = Src.Is32() && Dst.Is32() ? 4 : 3;
  // In a 24-bit source the mask half starts half the height down.
  if (Src.Is24())
    n = std::min(n, Src.Height / 2 - SR.top);
  for (int r = 0; r < n; ++r) {
    for (int c = 0; c < m; ++c) {
      const int x = DR.left + c, y = DR.top + r;
      std::uint8_t* d = Dst.Row(y) + x * dstBpp;
      const std::uint8_t* s = Src.Pixel(SR.left + c, SR.top + r);
      if (Bg.Ready && IsFuchsiaPixel(s)) {
        if (UseBackground && TakeBackground(Bg, x, y, d, dstBpp) == BackgroundResult::RowEnds)
          break;
        continue;
      }
      if (Src.Is24()) {
        const std::uint8_t* mask = Src.Pixel(SR.left + c, Src.Height / 2 + SR.top + r);
        for (int k = 0; k < 3; ++k)
          d[k] = ToByte(MixBytes(d[k], s[k], mask[k]));
      } else {
        for (int k = 0; k < 3; ++k)
          d[k] = ToByte(MixBytes(s[k], d[k], s[3]));
        if (dstBpp == 4)
          d[3] = 255;
      }
    }
  }
}

namespace {

struct AlphaPainter {
  TColor Tint;
  int Percent;

  // The value drawn for channel k (blue 0, green 1, red 2) of source pixel s.
  int Value(const std::uint8_t* s, int k) const {
    if (Tint == kNoTint)
      return s[k];
    const int grey = (s[0] + s[1] + s[2]) / 3;
    return std::min(255, RoundTies(grey * ColorChannel(Tint, 2 - k) / 255.0));
  }
  void Combine(std::uint8_t* d, const std::uint8_t* s, int weight) const {
    for (int k = 0; k < 3; ++k)
      d[k] = ToByte(MixBytes(Value(s, k), d[k], weight));
  }
};

bool IsKeyPixel32(const std::uint8_t* s) { return IsFuchsiaPixel(s) && s[3] == 0; }

}  // namespace

void DrawAlphaBitmap(TPixelRect DR, TPixelRect SR, const TPixelView& Dst, const TPixelView& Src,
                     const TPixelBackground& Bg, bool UseBackground, TColor TintColor, int Percent, bool Reflect) {
  if (!Src.Assigned() || !Src.Is32() || !Dst.Is24())
    return;
  const TPixelRect passedDR = DR, passedSR = SR;
  int n = 0, m = 0;
  if (!OverlapArea(DR, SR, Dst, Src, n, m))
    return;
  const AlphaPainter painter{TintColor, Percent};
  for (int r = 0; r < n; ++r) {
    for (int c = 0; c < m; ++c) {
      const int x = DR.left + c, y = DR.top + r;
      std::uint8_t* d = Dst.Pixel(x, y);
      const std::uint8_t* s = Src.Pixel(SR.left + c, SR.top + r);
      if (Bg.Ready && IsKeyPixel32(s)) {
        if (UseBackground && TakeBackground(Bg, x, y, d, 3) == BackgroundResult::RowEnds)
          break;
        continue;
      }
      const int weight = Percent == 0 ? s[3] : (100 - Percent) * s[3] / 100;
      painter.Combine(d, s, weight);
    }
  }
  if (!Reflect || Src.Height / 2 < 1)
    return;
  const int rows = std::min(Src.Height / 2 - 1, Dst.Height - passedDR.bottom - 1);
  const int step = 255 / (Src.Height / 2);
  int level = 255;
  for (int t = 1; t <= rows; ++t, level -= step) {
    const int y = passedDR.bottom + t, sy = passedSR.bottom - t - 1;
    if (y < 0 || sy < 0 || sy >= Src.Height)
      continue;
    for (int c = 0; c < m; ++c) {
      const std::uint8_t* s = Src.Pixel(SR.left + c, sy);
      if (IsKeyPixel32(s))
        continue;
      const int weight = std::max(0, ((100 - Percent) * s[3] / 300) * level / 255);
      painter.Combine(Dst.Pixel(DR.left + c, y), s, weight);
    }
  }
}

void CopyBitmapKeyed(const TPixelView& Dst, const TPixelView& Src, int X, int Y, TColor Key) {
  if (!Src.Is24() || (!Dst.Is24() && !Dst.Is32()))
    return;
  const int dstBpp = Dst.BitCount / 8;
  for (int r = 0; r < Src.Height; ++r) {
    for (int c = 0; c < Src.Width; ++c) {
      const std::uint8_t* s = Src.Pixel(c, r);
      if (MatchesKey(s, 3, Key) || !Dst.Contains(X + c, Y + r))
        continue;
      std::uint8_t* d = Dst.Pixel(X + c, Y + r);
      d[0] = s[0];
      d[1] = s[1];
      d[2] = s[2];
      if (dstBpp == 4)
        d[3] = 255;
    }
  }
}

// The destination must be 32-bit and hold the whole size, and a mask must
// cover it: anything else draws nothing rather than writing past a bitmap.
void MixBitmapsInto32(const TPixelView& D, const TPixelView& A, const TPixelView& B, const TPixelView* Mask,
                      int Weight) {
  if (A.Width != B.Width || A.Height != B.Height || !A.Is24() || !B.Is24())
    return;
  if (!D.Is32() || D.Width < A.Width || D.Height < A.Height)
    return;
  if (Mask != nullptr && (!Mask->Is24() || Mask->Width < A.Width || Mask->Height < A.Height))
    return;
  for (int y = 0; y < A.Height; ++y) {
    const std::uint8_t *a = A.Row(y), *b = B.Row(y);
    const std::uint8_t* mask = Mask != nullptr ? Mask->Row(y) : nullptr;
    std::uint8_t* d = D.Row(y);
    for (int x = 0; x < A.Width; ++x)
      for (int k = 0; k < 3; ++k) {
        const int j = 3 * x + k;
        d[4 * x + k] = ToByte(MixBytes(a[j], b[j], mask != nullptr ? mask[j] : Weight));
      }
  }
}

void CopyPixelChannel(const TPixelView& Bmp32, const TPixelView& Bmp8, int I, bool ToBmp8) {
  if (!Bmp32.Is32() || Bmp8.BitCount != 8 || I < 0 || I > 3)
    return;
  const int width = std::min(Bmp32.Width, Bmp8.Width), height = std::min(Bmp32.Height, Bmp8.Height);
  for (int y = 0; y < height; ++y) {
    std::uint8_t *wide = Bmp32.Row(y), *narrow = Bmp8.Row(y);
    for (int x = 0; x < width; ++x) {
      if (ToBmp8)
        narrow[x] = wide[4 * x + I];
      else
        wide[4 * x + I] = narrow[x];
    }
  }
}

int GlyphColumn(int NumGlyphs, bool Enabled, int State, bool Down, bool SixteenColour) {
  if (NumGlyphs <= 1 || !Enabled || State == 0)
    return 0;
  const bool classic = SixteenColour || ClassicGlyphColumns;
  if (State == 1)
    return classic ? 0 : 1;
  if (State == 2) {
    const int pressed = 2 + (Down ? 1 : 0);
    if (NumGlyphs > pressed)
      return pressed;
    return classic ? 0 : std::min(NumGlyphs - 1, 1);
  }
  return 0;
}
