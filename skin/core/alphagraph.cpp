#include "skin/core/alphagraph.h"

#include "skin/core/pixelbytes.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* kFormatNotSupported = "Bitmap format is not supported";

// R limited to the bitmap; false when nothing of it is left.
bool ClipToBitmap(const TPixelView& B, TPixelRect& R) {
  R.left = std::max(R.left, 0);
  R.top = std::max(R.top, 0);
  R.right = std::min(R.right, B.Width);
  R.bottom = std::min(R.bottom, B.Height);
  return R.right > R.left && R.bottom > R.top;
}

template <class Accessor>
bool AttachView(Accessor& a, const TPixelView& B, int bitCount) {
  if (!B.Assigned() || B.Width < 2 || B.Height < 2) {
    a.Width = 0;
    return false;
  }
  a.Bitmap = B;
  a.Width = B.Width;
  a.Height = B.Height;
  if (B.BitCount != bitCount)
    throw EAssertionFailed(kFormatNotSupported);
  a.Line0 = B.Line0;
  a.Stride = B.Stride;
  return true;
}

}  // namespace

// Adding and taking away 1.5 * 2^52 leaves a double without fraction bits,
// rounded in the current mode (ties to even) as nearbyint does; a plain add
// is far cheaper than the library call, which the resampler's contributor
// lists make by the thousand.
int RoundEven(double Value) {
  constexpr double kShift = 6755399441055744.0;
  if (!(std::fabs(Value) < 2251799813685248.0))  // 2^51; also NaN
    return static_cast<int>(std::nearbyint(Value));
  const double shifted = Value + kShift;
  return static_cast<int>(shifted - kShift);
}

bool TacFast24::Attach(const TPixelView& B) { return AttachView(*this, B, 24); }

TColor TacFast24::PixelAt(int X, int Y) const {
  const std::uint8_t* p = Line0 + Y * Stride + 3 * X;
  return static_cast<TColor>(p[2] | p[1] << 8 | p[0] << 16);
}

bool TacFast32::Attach(const TPixelView& B) { return AttachView(*this, B, 32); }

std::uint32_t TacFast32::PixelAt(int X, int Y) const {
  const std::uint8_t* p = Line0 + Y * Stride + 4 * X;
  return static_cast<std::uint32_t>(p[2]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[0]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void TacFast32::SetPixelAt(int X, int Y, std::uint32_t V) {
  std::uint8_t* p = Line0 + Y * Stride + 4 * X;
  p[2] = V & 0xFF;
  p[1] = (V >> 8) & 0xFF;
  p[0] = (V >> 16) & 0xFF;
  p[3] = (V >> 24) & 0xFF;
}

void TacFast32::FillArea(const TPixelRect& Area, std::uint32_t V) {
  TPixelRect r = Area;
  if (Width == 0 || !ClipToBitmap(Bitmap, r))
    return;
  for (int y = r.top; y < r.bottom; ++y) {
    auto* row = reinterpret_cast<std::uint8_t*>(Line0 + y * Stride);
    for (int x = r.left; x < r.right; ++x)
      for (int k = 0; k < 4; ++k)
        row[4 * x + k] = (V >> (8 * k)) & 0xFF;
  }
}

namespace {

// One row of the weighted sum for rows that do not overlap, written so the
// compiler can blend many bytes at once.
void BlendRowApart(std::uint8_t* __restrict D, const std::uint8_t* __restrict S, int Count, int W, int V) {
  for (int j = 0; j < Count; ++j)
    D[j] = static_cast<std::uint8_t>((D[j] * W + S[j] * V + 127) >> 8);
}

}  // namespace

bool TacFastSum::Attach(const TPixelView& Src, const TPixelView& Dst) {
  if (!Src.Assigned() || !Dst.Assigned() || Src.Height < 2 || Dst.Height < 2 || Src.Width < 2 || Dst.Width < 2)
    return false;
  Source = Src;
  Dest = Dst;
  Width = std::min(Src.Width, Dst.Width);
  Height = std::min(Src.Height, Dst.Height);
  return true;
}

void TacFastSum::Blend() {
  const int w = DestWeight;
  const int v = 255 - w;
  const int rowShift = DestArea.bottom - SourceArea.bottom;
  const int colShift = (DestArea.left - SourceArea.left) * bpp_;
  const int first = DestArea.left * bpp_, count = DestArea.right * bpp_ - first;
  for (int i = DestArea.bottom - 1; i >= DestArea.top; --i) {
    std::uint8_t* d = Dest.Row(i);
    const std::uint8_t* s = Source.Row(i - rowShift);
    if (count > 0 && (d + first + count <= s + first - colShift || s + first - colShift + count <= d + first)) {
      BlendRowApart(d + first, s + first - colShift, count, w, v);
      continue;
    }
    for (int j = DestArea.right * bpp_ - 1; j >= first; --j)
      d[j] = static_cast<std::uint8_t>((d[j] * w + s[j - colShift] * v + 127) >> 8);
  }
}

void BlendBitmapOnto(const TPixelView& Dst, const TPixelView& Src, std::uint8_t W, TPixelRect R, TPixelPoint P) {
  if (P.x < 0) {
    R.left += -P.x;
    P.x = 0;
  }
  if (P.y < 0) {
    R.top += -P.y;
    P.y = 0;
  }
  if (R.left < 0) {
    P.x += -R.left;
    R.left = 0;
  }
  if (R.top < 0) {
    P.y += -R.top;
    R.top = 0;
  }
  if (R.right <= R.left || R.bottom <= R.top || Dst.Width <= P.x || Dst.Height <= P.y || Src.Width <= R.left ||
      Src.Height <= R.top)
    return;
  R.right = std::min(R.right, Src.Width);
  R.bottom = std::min(R.bottom, Src.Height);
  if (P.x + (R.right - R.left) > Dst.Width)
    R.right = Dst.Width - P.x + R.left;
  if (P.y + (R.bottom - R.top) > Dst.Height)
    R.bottom = Dst.Height - P.y + R.top;
  if (Src.BitCount != Dst.BitCount || (!Dst.Is24() && !Dst.Is32()))
    return;
  TacFastSum sum(Dst.BitCount / 8);
  if (!sum.Attach(Src, Dst))
    return;
  const int width = R.right - R.left;
  const int height = R.bottom - R.top;
  sum.DestWeight = W;
  sum.DestArea = {P.x, P.y, P.x + width, P.y + height};
  sum.SourceArea = {R.left, R.top, R.left + width, R.top + height};
  sum.Blend();
}

void BlendSameSize24(const TPixelView& Dst, const TPixelView& Src, std::uint8_t W) {
  if (Dst.Width != Src.Width || Dst.Height != Src.Height || !Dst.Is24() || !Src.Is24())
    return;
  TacFastSum24 sum;
  if (!sum.Attach(Src, Dst))
    return;
  sum.DestArea = {0, 0, Src.Width, Src.Height};
  sum.SourceArea = {0, 0, Dst.Width, Dst.Height};
  sum.DestWeight = W;
  sum.Blend();
}

// The rectangle is exclusive, as every caller passes it; clipping it to the
// bitmap keeps a full-size rectangle covering every pixel.
void BlendColorRect(const TPixelView& B, TPixelRect R, std::uint8_t Percent, TColor Color) {
  if (!B.Is24() && !B.Is32())
    return;
  if (!ClipToBitmap(B, R))
    return;
  const TColor c = ColorToRGB(Color);
  const int blue = ColorChannel(c, 2), green = ColorChannel(c, 1), red = ColorChannel(c, 0);
  const double g = Percent / 100.0;
  const int bpp = B.BitCount / 8;
  for (int y = R.top; y < R.bottom; ++y) {
    std::uint8_t* p = B.Row(y) + R.left * bpp;
    for (int x = R.left; x < R.right; ++x, p += bpp) {
      p[0] = ToByte(RoundEven(g * p[0] + (1 - g) * blue));
      p[1] = ToByte(RoundEven(g * p[1] + (1 - g) * green));
      p[2] = ToByte(RoundEven(g * p[2] + (1 - g) * red));
    }
  }
}

void FillRect32(const TPixelView& B, const TPixelRect& R, TColor Color) {
  TacFast32 fast;
  if (!B.Is32() || !fast.Attach(B))
    return;
  fast.FillArea(R, ColorToPixel32(Color));
}

void SetAlphaRect(const TPixelView& B, const TPixelRect& Area, std::uint8_t Alpha) {
  TPixelRect R = Area;
  if (!B.Is32() || !ClipToBitmap(B, R))
    return;
  for (int y = R.top; y < R.bottom; ++y) {
    std::uint8_t* row = B.Row(y);
    for (int x = R.left; x < R.right; ++x)
      row[4 * x + 3] = Alpha;
  }
}

void GrayscaleBitmap(const TPixelView& B) {
  if (!B.Is24() && !B.Is32())
    return;
  const int bpp = B.BitCount / 8;
  for (int y = 0; y < B.Height; ++y) {
    std::uint8_t* p = B.Row(y);
    for (int x = 0; x < B.Width; ++x, p += bpp)
      p[0] = p[1] = p[2] = static_cast<std::uint8_t>((p[0] + p[1] + p[2]) / 3);
  }
}

void GrayscaleBitmapExcept(const TPixelView& B, TColor Key) {
  if (!B.Is24())
    return;
  const int kb = ColorChannel(Key, 2), kg = ColorChannel(Key, 1), kr = ColorChannel(Key, 0);
  for (int y = 0; y < B.Height; ++y) {
    std::uint8_t* p = B.Row(y);
    for (int x = 0; x < B.Width; ++x, p += 3) {
      if (p[0] == kb && p[1] == kg && p[2] == kr)
        continue;
      p[0] = p[1] = p[2] = static_cast<std::uint8_t>((p[0] + p[1] + p[2]) / 3);
    }
  }
}

TColor BlendColors(TColor A, TColor B, double X) {
  std::uint32_t result = static_cast<std::uint32_t>(A) & 0xFF000000u;
  for (int k = 0; k < 3; ++k) {
    const int value = RoundEven(ColorChannel(A, k) * X + ColorChannel(B, k) * (1 - X));
    result |= static_cast<std::uint32_t>(value & 0xFF) << (8 * k);
  }
  return static_cast<TColor>(result);
}

TColor StripColorAlpha(TColor C) { return static_cast<TColor>(static_cast<std::uint32_t>(C) & 0x00FFFFFFu); }

std::uint32_t ColorToPixel32(TColor C) {
  // In memory: blue, green, red, alpha.
  return static_cast<std::uint32_t>(ColorChannel(C, 2)) | static_cast<std::uint32_t>(ColorChannel(C, 1)) << 8 |
         static_cast<std::uint32_t>(ColorChannel(C, 0)) << 16 | 0xFF000000u;
}

TColor ChangeSaturation(TColor C, int Percent) {
  if (Percent == 0)
    return C;
  const int rgb[3] = {ColorChannel(C, 0), ColorChannel(C, 1), ColorChannel(C, 2)};
  const double avg = (rgb[0] + rgb[1] + rgb[2]) / 3.0;
  std::uint32_t result = 0;
  for (int k = 0; k < 3; ++k) {
    const double share = (avg - rgb[k]) / 100;
    result |= static_cast<std::uint32_t>(ToByte(RoundEven(rgb[k] + Percent * share))) << (8 * k);
  }
  return static_cast<TColor>(result);
}

namespace {

double ClampComponent(double v) {
  if (v >= 255)
    return 255;
  if (!(v > 0))
    return 0;
  return v;
}

}  // namespace

TColor ChangeHue(int Degrees, TColor C) {
  const TColor rgb = StripColorAlpha(ColorToRGB(C));
  const double R = ColorChannel(rgb, 0), G = ColorChannel(rgb, 1), B = ColorChannel(rgb, 2);
  const double V = std::max({R, G, B});
  const double m = std::min({R, G, B});
  const double S = V == 0 ? 0 : (V - m) / V;
  if (S == 0)
    return rgb;
  const double k = 60 / (V - m);
  double H;
  if (V == R)
    H = (G - B) * k;
  else if (V == G)
    H = 120 + (B - R) * k;
  else
    H = 240 + (R - G) * k;
  if (H < 0)
    H += 360;
  const int H2 = RoundEven(Degrees + H) % 360;
  const int i = H2 / 60;
  const double f = H2 / 60.0 - i;
  const double p = ClampComponent(V * (1 - S));
  const double q = ClampComponent(V * (1 - S * f));
  const double t = ClampComponent(V * (1 - (1 - f) * S));
  double r, g, b;
  switch (i) {
    case 0: r = V, g = t, b = p; break;
    case 1: r = q, g = V, b = p; break;
    case 2: r = p, g = V, b = t; break;
    case 3: r = p, g = q, b = V; break;
    case 4: r = t, g = p, b = V; break;
    default: r = V, g = p, b = q; break;
  }
  return static_cast<TColor>(ToByte(RoundEven(r)) | ToByte(RoundEven(g)) << 8 | ToByte(RoundEven(b)) << 16);
}
