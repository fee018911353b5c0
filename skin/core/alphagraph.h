// The lowest layer of skin painting, on pixel views: accessors of 24-bit and
// 32-bit pixels, constant-weight blending of one bitmap onto another, colour
// arithmetic, solid fills of rectangles and alpha channels and greyscale.
// Portable: no Win32. Pixels are blue, green, red (and alpha); colours are
// TColor values with red in the low byte. Round is ties to even.
#pragma once
#include <cstdint>

#include "classlib/graphics/colors.h"
#include "classlib/system/exceptions.h"
#include "skin/core/pixelview.h"

DOZURI_EXCEPTION(EAssertionFailed, Exception);

// The key colour that marks a missing pixel in skin images.
constexpr TColor kSkinKeyColor = 0xFF00FF;

// Direct access to a 24-bit bitmap.
class TacFast24 {
public:
  // False (width 0) for an unassigned view or one of width or height 1 or
  // less; EAssertionFailed "Bitmap format is not supported" for another
  // format than 24 bits.
  bool Attach(const TPixelView& Bitmap);
  // The pixel as 0x00BBGGRR; X and Y must lie inside.
  TColor PixelAt(int X, int Y) const;

  TPixelView Bitmap;
  int Width = 0;
  int Height = 0;
  std::uint8_t* Line0 = nullptr;
  std::ptrdiff_t Stride = 0;
};

// Direct access to a 32-bit bitmap.
class TacFast32 {
public:
  bool Attach(const TPixelView& Bitmap);
  // The pixel as 0xAABBGGRR.
  std::uint32_t PixelAt(int X, int Y) const;
  void SetPixelAt(int X, int Y, std::uint32_t Value);
  // Writes the raw pixel value into every pixel of R, clipped to the bitmap.
  void FillArea(const TPixelRect& R, std::uint32_t Value);

  TPixelView Bitmap;
  int Width = 0;
  int Height = 0;
  std::uint8_t* Line0 = nullptr;
  std::ptrdiff_t Stride = 0;
};

// Blends SourceArea of a source into DestArea of a destination with the
// weight DestWeight for the existing destination pixel: new byte =
// (d * w + s * (255 - w) + 127) >> 8. Rows are aligned by the bottom edges of
// the two areas, columns by their left edges.
class TacFastSum {
public:
  explicit TacFastSum(int BytesPerPixel) : bpp_(BytesPerPixel) {}
  // False when any dimension of either bitmap is below 2.
  bool Attach(const TPixelView& Src, const TPixelView& Dst);
  void Blend();

  TPixelView Source;
  TPixelView Dest;
  int Width = 0;
  int Height = 0;
  std::uint8_t DestWeight = 0;
  TPixelRect DestArea;
  TPixelRect SourceArea;

private:
  int bpp_;
};

class TacFastSum24 : public TacFastSum {
public:
  TacFastSum24() : TacFastSum(3) {}
};
class TacFastSum32 : public TacFastSum {
public:
  TacFastSum32() : TacFastSum(4) {}
};

// Blends the source rectangle R of Src onto Dst at P, clipped to both; W is
// the share (0..255) of the destination that stays. Both bitmaps must have
// the same format, 24 or 32 bits; otherwise nothing is drawn.
void BlendBitmapOnto(const TPixelView& Dst, const TPixelView& Src, std::uint8_t W, TPixelRect R, TPixelPoint P);
// Blends two 24-bit bitmaps of the same size.
void BlendSameSize24(const TPixelView& Dst, const TPixelView& Src, std::uint8_t W);
// Washes R (clipped) with Color; Percent is the share of the picture that
// stays (100 leaves it, 0 paints Color). System colours are resolved.
void BlendColorRect(const TPixelView& B, TPixelRect R, std::uint8_t Percent, TColor Color);
// Fills R of a 32-bit bitmap with Color at alpha 255.
void FillRect32(const TPixelView& B, const TPixelRect& R, TColor Color);
// Sets the alpha byte of every pixel of R of a 32-bit bitmap.
void SetAlphaRect(const TPixelView& B, const TPixelRect& R, std::uint8_t Alpha);
// Each pixel becomes the truncated average of its colour bytes.
void GrayscaleBitmap(const TPixelView& B);
// The same on a 24-bit bitmap, keeping the pixels equal to Key.
void GrayscaleBitmapExcept(const TPixelView& B, TColor Key);

// Round(A * X + B * (1 - X)) per channel; A's top byte is kept.
TColor BlendColors(TColor A, TColor B, double X);
TColor StripColorAlpha(TColor C);
// The 32-bit pixel of C's colour bytes with alpha 255.
std::uint32_t ColorToPixel32(TColor C);
// Moves each channel towards the grey average by Percent (negative: away).
TColor ChangeSaturation(TColor C, int Percent);
// Turns the colour's hue by Degrees.
TColor ChangeHue(int Degrees, TColor C);

// Round with ties to the even integer.
int RoundEven(double Value);
